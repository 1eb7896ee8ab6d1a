// The program's own texts, German and English side by side. The German
// texts are Windows-1252 bytes (escaped here); the English ones are ASCII but
// for the allowed characters of the pilot page.
#include "ui/texts.h"

#include <string.h>

struct TextPair {
    const char *german;
    const char *english;
};

// In the order of TextId.
static const TextPair kTexts[TEXT_COUNT] = {
    // Dialog title and control captions
    {"Tolmaro, das Zirkano 2.0 Tool", "Tolmaro, the Zirkano 2.0 tool"},
    {"PILOTENDATEN", "PILOT DATA"},
    {"Abbruch", "Cancel"},
    {"Speichern", "Save"},
    {"Dateiverwaltung", "File management"},
    {"Leere ZELTO Verzeichnisse l\xF6schen", "Delete empty ZELTO folders"},
    {"IGC-Dateien ( ZELTO ) kopieren", "Copy IGC files (ZELTO)"},
    {"Alle Daten kopieren", "Copy all data"},
    {"Beenden", "Close"},
    {"Wege- und Thermikpunkte", "Waypoints and thermal points"},
    {"Wegepunkte genutzt", "Waypoints in use"},
    {"Wegepunkte gel\xF6scht", "Deleted waypoints"},
    {"Thermikpunkte", "Thermal points"},
    {"Wegepunkte exportieren", "Export waypoints"},
    {"Gel\xF6schte Punkte exportieren", "Export deleted points"},
    {"Thermikpunkte exportieren", "Export thermal points"},
    {"Zur\xFC" "ck", "Back"},
    // Status line
    {" Suche Zirkano 2.0 Laufwerk", " Looking for the Zirkano 2.0 drive"},
    {" Zirkano 2.0 an Laufwerk %c: - %s: %s", " Zirkano 2.0 on drive %c: - %s: %s"},
    {" Setup in Datei %s gespeichert", " Settings saved to %s"},
    {" Datei %s gespeichert", " File %s saved"},
    {" Kopiere Datei %s", " Copying file %s"},
    {" %u Dateien kopiert", " %u files copied"},
    {" %u Dateien in %u Ordnern kopiert", " %u files in %u folders copied"},
    {" %u Ordner gel\xF6scht", " %u folders deleted"},
    {" Datei %s analysiert", " File %s analysed"},
    {" %lu Punkte geschrieben", " %lu points written"},
    // Boxes
    {"Bitte Verzeichnis ausw\xE4hlen", "Please choose the folder"},
    {"Zirkano 2.0 nicht gefunden!", "Zirkano 2.0 not found!"},
    {"Die Setupdatei kann nicht gespeichert werden", "Cannot save the settings file"},
    {"Die Setupdatei kann nicht gespeichert werden", "Cannot save the pilot data file"},
    {"Dateifehler", "File error"},
    {"Bitte Eingabe korrigieren", "Please correct your input"},
    {"Beispiel: Ihr Name ist Max Mustermann\n"
     "IGC-ID: MaMu (4 Zeichen)\n"
     "Pilot: Max Mustermann (max. 22 Zeichen)\n"
     "Glider: Advance Alpha 3 (max. 22 Zeichen)\n"
     "Class: Paraglider (Sport) (max. 22 Zeichen)",
     "Example: your name is Max Mustermann\n"
     "IGC-ID: MaMu (4 characters)\n"
     "Pilot: Max Mustermann (up to 22 characters)\n"
     "Glider: Advance Alpha 3 (up to 22 characters)\n"
     "Class: Paraglider (Sport) (up to 22 characters)"},
    {"Erlaubt Zeichen sind\n"
     "a-z,\xE4\xF6\xFC, A-Z, \" ()\xB0+,-/\"\n"
     "sowie die Ziffern 0-9",
     "Allowed characters are\n"
     "a-z,\xE4\xF6\xFC, A-Z, \" ()\xB0+,-/\"\n"
     "and the digits 0-9"},
    {"Wegepunktdatei kann nicht ge\xF6" "ffnet werden", "Cannot open the waypoint file"},
    {"Wegepunktdatei kann nicht geschrieben werden", "Cannot write the waypoint file"},
    {"Dateifehler!", "File error!"},
    {"%u Dateien oder Ordner konnten nicht kopiert werden", "%u files or folders could not be copied"},
    {"%u Ordner konnten nicht gel\xF6scht werden", "%u folders could not be deleted"},
    // File dialogs and the folder browser
    {"Zirkano 2.0 Setup-Datei", "Zirkano 2.0 setup file"},
    {"Zirkano 2.0 Setup-Verzeichnis w\xE4hlen", "Select the Zirkano 2.0 setup folder"},
    {"Wegepunkte schreiben", "Save waypoints"},
    {"Gel\xF6schte Punkte schreiben", "Save deleted points"},
    {"Thermikpunkte schreiben", "Save thermal points"},
    {"Waypoint Datei (*.wpt)", "Waypoint file (*.wpt)"},
    {"Alle IGC-Daten (ZELTO) des Zirkano 2.0 werden kopiert.\nWohin sollen die Dateien kopiert werden?",
     "All IGC data (ZELTO) from the Zirkano 2.0 will be copied.\nWhere do you want to copy the files?"},
    {"Alle Daten des Zirkano 2.0 werden kopiert.\nWohin sollen die Dateien kopiert werden?",
     "All data from the Zirkano 2.0 will be copied.\nWhere do you want to copy the files?"},
    // The flight book page and its CSV file
    {" %u Fl\xFCge, %u:%02u h Flugzeit", " %u flights, %u:%02u h airtime"},
    {" %u Fl\xFCge geschrieben", " %u flights written"},
    {"Flugbuch speichern", "Save flight book"},
    {"Datum", "Date"},
    {"Start", "Take-off"},
    {"Landung", "Landing"},
    {"Dauer", "Duration"},
    {"Gleitschirm", "Glider"},
    {"Datei", "File"},
    {"CSV-Datei (*.csv)", "CSV file (*.csv)"},
    {"flugbuch.csv", "flightbook.csv"},
    {"Das Flugbuch kann nicht gespeichert werden", "Cannot save the flight book"},
    // The waypoint formats of the export: the same in both languages
    {"GPX (*.gpx)", "GPX (*.gpx)"},
    {"SeeYou CUP (*.cup)", "SeeYou CUP (*.cup)"},
    // The flight view
    {"Flug ansehen", "View flight"},
    {"Max. H\xF6he (GPS)", "Max. altitude (GPS)"},
    {"Max. H\xF6he (Druck)", "Max. altitude (pressure)"},
    {"Starth\xF6he", "Take-off altitude"},
    {"Max. Steigen", "Max. climb"},
    {"Max. Sinken", "Max. sink"},
    {"Strecke", "Track length"},
    {"Luftlinie", "Straight line"},
    {"Max. Abstand", "Max. distance"},
    {"Fixpunkte", "Fixes"},
    {" %s: %u Fixpunkte, %s", " %s: %u fixes, %s"},
    {"Keine Positionsdaten", "No position data"},
    {"GPS-H\xF6he", "GPS altitude"},
    {"Druckh\xF6he (1013,25 hPa)", "Pressure altitude (1013.25 hPa)"},
    // The page of waypoints onto the instrument
    {"Wegepunkte auf das Ger\xE4t", "Waypoints to the instrument"},
    {"Zu den Wegepunkten hinzuf\xFCgen", "Add to the waypoints"},
    {"Alle Wegepunkte ersetzen", "Replace all waypoints"},
    {"Datei \xF6" "ffnen", "Open file"},
    {"Auf das Ger\xE4t schreiben", "Write to the instrument"},
    {"Sicherung zur\xFC" "ckholen", "Restore the backup"},
    {"Name", "Name"},
    {"Beschreibung", "Description"},
    {"Breite", "Latitude"},
    {"L\xE4nge", "Longitude"},
    {"H\xF6he", "Altitude"},
    {"Hinweis", "Note"},
    {"ung\xFCltig", "invalid"},
    {"schon auf dem Ger\xE4t", "already on the instrument"},
    {"umbenannt", "renamed"},
    {"gek\xFCrzt", "shortened"},
    {"ohne H\xF6he", "no altitude"},
    {"H\xF6he begrenzt", "altitude limited"},
    {"Wegepunktdatei \xF6" "ffnen", "Open waypoint file"},
    {"Wegepunktdateien (*.gpx;*.cup;*.wpt)", "Waypoint files (*.gpx;*.cup;*.wpt)"},
    {"Alle Dateien (*.*)", "All files (*.*)"},
    {" %u Punkte gelesen, %u werden geschrieben", " %u points read, %u to be written"},
    {" %u Wegepunkte geschrieben, %u auf dem Ger\xE4t", " %u waypoints written, %u on the instrument"},
    {" Sicherung zur\xFC" "ckgeholt, %u Wegepunkte auf dem Ger\xE4t", " Backup restored, %u waypoints on the instrument"},
    {"Die Datei enth\xE4lt keine lesbaren Wegepunkte", "The file holds no waypoints that can be read"},
    {"Alle Wegepunkte auf dem Ger\xE4t werden ersetzt. Die bisherigen bleiben in WAYPOINTS\\waypoints.bak.",
     "All waypoints on the instrument are replaced. The old ones stay in WAYPOINTS\\waypoints.bak."},
    {"Zu viele Wegepunkte: h\xF6" "chstens 10000", "Too many waypoints: at most 10000"},
    {"Die Wegepunkte konnten nicht geschrieben werden. Die Wegepunkte auf dem Ger\xE4t sind unver\xE4ndert.",
     "The waypoints could not be written. The waypoints on the instrument are unchanged."},
    {"Die Wegepunkte konnten nicht geschrieben werden, und die bisherigen nicht zur\xFC" "ckgeschrieben. "
     "Sie sind in der Sicherung %s.",
     "The waypoints could not be written, nor the old ones put back. They are in the backup %s."},
    {"Die Wegepunkte auf dem Ger\xE4t werden mit der Sicherung WAYPOINTS\\waypoints.bak getauscht.",
     "The waypoints on the instrument are swapped with the backup WAYPOINTS\\waypoints.bak."},
    {"Die Sicherung konnte nicht zur\xFC" "ckgeholt werden. Die Wegepunkte auf dem Ger\xE4t sind unver\xE4ndert.",
     "The backup could not be restored. The waypoints on the instrument are unchanged."},
};

static TextLanguage g_textLanguage = TEXTS_GERMAN;

void ChooseTextLanguage(int sprache)
{
    g_textLanguage = sprache == 0 ? TEXTS_GERMAN : TEXTS_ENGLISH;
}

TextLanguage CurrentTextLanguage()
{
    return g_textLanguage;
}

const char *TextIn(int language, int id)
{
    if (id < 0 || id >= TEXT_COUNT || language < 0 || language >= TEXT_LANGUAGES)
        return "";
    return language == TEXTS_GERMAN ? kTexts[id].german : kTexts[id].english;
}

const char *Text(int id)
{
    return TextIn(g_textLanguage, id);
}

// Appends a text and its NUL at used; false when they and the closing NUL
// do not fit.
static bool AppendWithNul(char *out, size_t size, size_t *used, const char *text)
{
    size_t length = strlen(text) + 1;
    if (*used + length + 1 > size)
        return false;
    memcpy(out + *used, text, length);
    *used += length;
    return true;
}

void FormFileFilter(char *out, size_t size, const FileType *types, int count)
{
    if (size < 2)
        return;
    out[0] = out[1] = '\0';
    size_t used = 0;
    for (int i = 0; i < count; i++) {
        if (!AppendWithNul(out, size, &used, types[i].name) || !AppendWithNul(out, size, &used, types[i].pattern)) {
            out[0] = out[1] = '\0';
            return;
        }
    }
    out[used] = '\0';
}
