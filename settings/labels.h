// The program's own label table: language file names, glider classes,
// display field names, credit lines and the settings pages' labels.
#ifndef TOLMARO_LABELS_H
#define TOLMARO_LABELS_H

enum {
    LABEL_FILE_NAME = 0,        // + language: "Deutsch.txt" ...
    LABEL_GLIDER_CLASS = 8,     // + class 0..7
    LABEL_DISPLAY_FIELD = 16,   // + field 0..16
    LABEL_CREDIT = 33,          // + language
    LABEL_PAGE1 = 41,           // + language
    LABEL_PAGE2 = 49,           // + language
    LABEL_FIELD1 = 57,          // + language
    LABEL_FIELD2 = 65,          // + language
    LABEL_COUNT = 73,
    LANGUAGE_COUNT = 8,
    GLIDER_CLASS_COUNT = 8,
    DISPLAY_FIELD_COUNT = 17,
};

// The entry at index 0..72; an index outside the table gives "".
const char *BuiltInLabel(int index);

#endif
