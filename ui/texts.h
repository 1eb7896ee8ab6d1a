// The program's own texts, German and English side by side: captions, the
// dialog title, Status line texts, boxes, dialog titles and file types.
#ifndef TOLMARO_TEXTS_H
#define TOLMARO_TEXTS_H

#include <stddef.h>
#include <stdint.h>

enum TextId : uint8_t {
    // Dialog title and control captions
    TEXT_TITLE,
    TEXT_PILOT_HEADING,
    TEXT_CANCEL,
    TEXT_SAVE,
    TEXT_FILES_HEADING,
    TEXT_REMOVE_EMPTY,
    TEXT_COPY_FLIGHTS,
    TEXT_COPY_ALL,
    TEXT_CLOSE,
    TEXT_WAYPOINTS_HEADING,
    TEXT_WAYPOINTS_USED,
    TEXT_WAYPOINTS_DELETED,
    TEXT_THERMALS,
    TEXT_EXPORT_WAYPOINTS,
    TEXT_EXPORT_DELETED,
    TEXT_EXPORT_THERMALS,
    TEXT_BACK,
    // Status line
    TEXT_STATUS_SEARCHING,
    TEXT_STATUS_LOADED,            // drive letter, language label, language name
    TEXT_STATUS_SETUP_SAVED,       // path
    TEXT_STATUS_FILE_SAVED,        // path
    TEXT_STATUS_COPYING,           // path
    TEXT_STATUS_FILES_COPIED,      // files
    TEXT_STATUS_TREE_COPIED,       // files, folders
    TEXT_STATUS_FOLDERS_REMOVED,   // folders
    TEXT_STATUS_STORE_ANALYSED,    // path
    TEXT_STATUS_POINTS_WRITTEN,    // points (unsigned long)
    // Boxes: texts and captions
    TEXT_BOX_CHOOSE_FOLDER,
    TEXT_BOX_NOT_FOUND,
    TEXT_BOX_SETUP_NOT_SAVED,
    TEXT_BOX_PILOT_NOT_SAVED,
    TEXT_BOX_FILE_ERROR,
    TEXT_BOX_CORRECT_INPUT,
    TEXT_BOX_FIELD_LENGTHS,
    TEXT_BOX_ALLOWED_CHARACTERS,
    TEXT_BOX_WAYPOINT_FILE_NOT_OPENED,
    TEXT_BOX_WAYPOINT_FILE_NOT_WRITTEN,
    TEXT_BOX_WAYPOINT_FILE_ERROR,
    TEXT_BOX_NOT_COPIED,           // failures
    TEXT_BOX_NOT_REMOVED,          // failures
    // File dialogs and the folder browser
    TEXT_SETUP_FILE_TYPE,
    TEXT_SETUP_DIALOG_TITLE,
    TEXT_SAVE_WAYPOINTS_TITLE,
    TEXT_SAVE_DELETED_TITLE,
    TEXT_SAVE_THERMALS_TITLE,
    TEXT_WAYPOINT_FILE_TYPE,
    TEXT_BROWSE_FLIGHTS_TITLE,
    TEXT_BROWSE_WHOLE_TITLE,
    // The flight book page and its CSV file
    TEXT_FLIGHTBOOK_SUMMARY,       // flights, hours, minutes
    TEXT_STATUS_FLIGHTS_WRITTEN,   // flights
    TEXT_FLIGHTBOOK_SAVE_TITLE,
    TEXT_COLUMN_DATE,
    TEXT_COLUMN_TAKEOFF,
    TEXT_COLUMN_LANDING,
    TEXT_COLUMN_DURATION,
    TEXT_COLUMN_GLIDER,
    TEXT_COLUMN_FILE,
    TEXT_CSV_FILE_TYPE,
    TEXT_FLIGHTBOOK_FILE_NAME,
    TEXT_BOX_FLIGHTBOOK_NOT_SAVED,
    // The waypoint formats of the export
    TEXT_GPX_FILE_TYPE,
    TEXT_CUP_FILE_TYPE,
    // The flight view
    TEXT_VIEW_FLIGHT,
    TEXT_MAX_GPS_ALTITUDE,
    TEXT_MAX_PRESSURE_ALTITUDE,
    TEXT_START_ALTITUDE,
    TEXT_MAX_CLIMB,
    TEXT_MAX_SINK,
    TEXT_TRACK_LENGTH,
    TEXT_STRAIGHT_LINE,
    TEXT_FARTHEST,
    TEXT_FIXES,
    TEXT_STATUS_FLIGHT,            // file, fixes, duration
    TEXT_NO_POSITION_DATA,
    TEXT_LEGEND_GPS,
    TEXT_LEGEND_PRESSURE,
    // The page of waypoints onto the instrument
    TEXT_IMPORT_HEADING,
    TEXT_IMPORT_ADD,
    TEXT_IMPORT_REPLACE,
    TEXT_IMPORT_OPEN,
    TEXT_IMPORT_WRITE,
    TEXT_IMPORT_RESTORE,
    TEXT_IMPORT_COLUMN_NAME,        // the six columns in their order
    TEXT_IMPORT_COLUMN_DESCRIPTION,
    TEXT_IMPORT_COLUMN_LATITUDE,
    TEXT_IMPORT_COLUMN_LONGITUDE,
    TEXT_IMPORT_COLUMN_ALTITUDE,
    TEXT_IMPORT_COLUMN_NOTE,
    TEXT_NOTE_INVALID,              // the notes in the order of ImportNote
    TEXT_NOTE_ON_INSTRUMENT,
    TEXT_NOTE_RENAMED,
    TEXT_NOTE_SHORTENED,
    TEXT_NOTE_NO_ALTITUDE,
    TEXT_NOTE_ALTITUDE_LIMITED,
    TEXT_IMPORT_OPEN_TITLE,
    TEXT_IMPORT_FILE_TYPE,
    TEXT_ALL_FILES_TYPE,
    TEXT_STATUS_IMPORT_READ,        // points read, points to be written
    TEXT_STATUS_IMPORT_WRITTEN,     // points written, waypoints on the instrument
    TEXT_STATUS_BACKUP_RESTORED,    // waypoints on the instrument
    TEXT_BOX_NO_WAYPOINTS,
    TEXT_BOX_REPLACE_ALL,
    TEXT_BOX_TOO_MANY_WAYPOINTS,
    TEXT_BOX_WAYPOINTS_NOT_WRITTEN,
    TEXT_BOX_WAYPOINTS_NOT_RESTORED,   // the backup's path
    TEXT_BOX_RESTORE_BACKUP,
    TEXT_BOX_BACKUP_NOT_RESTORED,
    TEXT_COUNT
};

enum TextLanguage : uint8_t {
    TEXTS_GERMAN,
    TEXTS_ENGLISH,
    TEXT_LANGUAGES
};

// The language of the instrument's "Sprache": 0 is German, every other
// value English. German until the first call.
void ChooseTextLanguage(int sprache);
TextLanguage CurrentTextLanguage();

// The text in the current language; an unknown id gives "".
const char *Text(int id);

// The text in a given language; an unknown id or language gives "".
const char *TextIn(int language, int id);

struct FileType {
    const char *name;      // from the table: "Waypoint file (*.wpt)"
    const char *pattern;   // "*.wpt"
};

// A file dialog's filter: every type's name and pattern, each ending in
// NUL, then the closing NUL. A filter that does not fit is left empty.
void FormFileFilter(char *out, size_t size, const FileType *types, int count);

#endif
