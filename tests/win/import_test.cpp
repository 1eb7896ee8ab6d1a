// The page of waypoints onto the instrument, through the real dialog: a
// file read into the list (read back with LVM_GETITEMTEXT), the store
// written in both modes, the backup and its restore, and failed writes,
// with the instrument on drive E: and the files on G:.
#include <windows.h>
#include <commctrl.h>

#include <map>

#include "tests/win/harness.h"
#include "tests/win/scripted_prompts.h"
#include "ui/pages.h"
#include "ui/resource.h"
#include "ui/status.h"

static const char kStore[] = "E:\\WAYPOINTS\\waypoints.skt";
static const char kBackup[] = "E:\\WAYPOINTS\\waypoints.bak";

// Single-precision radians, big-endian, of the degrees named.
static const char k47_5[] = "\x3F\x54\x3B\x67", kMinus11_25[] = "\xBE\x49\x0F\xDB";
static const char k46[] = "\x3F\x4D\x87\xAC", k7[] = "\x3D\xFA\x35\xDD";

static std::string Record(const char *lon, const char *lat, int altitude, const std::string &description,
                          const std::string &name, uint8_t kind)
{
    std::string record(52, '\0');
    record.replace(0, 4, lon, 4);
    record.replace(4, 4, lat, 4);
    record[8] = (char)(altitude >> 8);
    record[9] = (char)altitude;
    record.replace(10, description.size(), description);
    record.replace(41, name.size(), name);
    record[48] = (char)kind;
    return record;
}

static void ReadFileOnPage(const std::string &path)
{
    ScriptChoice(path);
    Command(IDC_IMPORT_OPEN);
}
// A click on a radio button, which checks it and tells the dialog.
static void Click(int id)
{
    SendMessageA(Control(id), BM_CLICK, 0, 0);
}

// The names and bytes of the files in the store's folder.
static std::map<std::string, std::string> FolderContent()
{
    std::map<std::string, std::string> files;
    for (const WIN32_FIND_DATAA &entry : ListFolder("E:\\WAYPOINTS\\"))
        files[entry.cFileName] = IsFolder(entry) ? "folder" : ReadFileBytes("E:\\WAYPOINTS\\" + std::string(entry.cFileName));
    return files;
}

class ImportPage : public SampleInstrumentTest {};

// Notes, repeats and renaming as the list shows them, German and English,
// and in both modes; a file without points leaves the page as it was.
TEST_F(ImportPage, ListsEveryPointWithWhatBecomesOfIt)
{
    WriteFileBytes(kStore, Record(kMinus11_25, k47_5, 1234, "", "GIPFEL", 1) + Record(k7, k46, 0, "", "KOESSEN", 2));
    WriteFileBytes("G:\\points.gpx",
                   "\xEF\xBB\xBF<?xml version='1.0' encoding='UTF-8'?>\n"
                   "<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
                   "<wpt lat=\"47.5002\" lon=\"-11.2502\"><ele>1234</ele><name>GIPFEL</name></wpt>\n"
                   "<wpt lat=\"46\" lon=\"7\"><ele>600</ele><name>KOESSENER</name></wpt>\n"
                   "<wpt lat=\"46\" lon=\"7.0001\"><ele>600</ele><name>KOESSENER</name></wpt>\n"
                   "<wpt lat=\"95\" lon=\"7\"><name>FALSCH</name></wpt>\n"
                   "<rte><rtept lat=\"46\" lon=\"7\"><ele>40000</ele><name>\xC5\x81\xC4\x85ka</name>"
                   "<desc>Wiese &amp; Bach</desc></rtept></rte>\n"
                   "<wpt lat=\"46\" lon=\"7\"><name></name></wpt>\n"
                   "</gpx>\n");
    StartProgram();
    Command(IDM_IMPORT_PAGE);
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_IMPORT_WRITE)));
    EXPECT_EQ(SendMessageA(Control(IDC_IMPORT_ADD), BM_GETCHECK, 0, 0), BST_CHECKED);
    ReadFileOnPage("G:\\points.gpx");
    EXPECT_EQ(PromptsOfKind("open").at(0).caption, "Wegepunktdatei \xF6" "ffnen");
    EXPECT_EQ(ListRows(IDC_IMPORT_LIST), "GIPFEL||47,50020 N|11,25020 W|1234 m|schon auf dem Ger\xE4t\n"
                          "KOESSE2|KOESSENER|46,00000 N|7,00000 E|600 m|umbenannt, gek\xFCrzt\n"
                          "FALSCH||||0 m|ung\xFCltig, ohne H\xF6he\n"
                          "Laka|Wiese & Bach|46,00000 N|7,00000 E|32767 m|H\xF6he begrenzt\n"
                          "WP00006||46,00000 N|7,00000 E|0 m|ohne H\xF6he\n");
    EXPECT_EQ(StatusText(), " 6 Punkte gelesen, 3 werden geschrieben");
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_IMPORT_WRITE)));

    Click(IDC_IMPORT_REPLACE);
    EXPECT_EQ(StatusText(), " 6 Punkte gelesen, 4 werden geschrieben");
    EXPECT_EQ(ListRows(IDC_IMPORT_LIST).substr(0, 40), "GIPFEL||47,50020 N|11,25020 W|1234 m|\nKO");

    g_prompts.clear();
    WriteFileBytes("G:\\none.txt", "just some text\r\nwithout points\r\n");
    ReadFileOnPage("G:\\none.txt");
    EXPECT_TRUE(ShownOneWarning("Die Datei enth\xE4lt keine lesbaren Wegepunkte", "Dateifehler!"));
    EXPECT_EQ(StatusText(), " 6 Punkte gelesen, 4 werden geschrieben");
    EXPECT_EQ(SendMessageA(Control(IDC_IMPORT_LIST), LVM_GETITEMCOUNT, 0, 0), 5);

    // In English: a decimal point, the English notes.
    std::string setup = ReadFileBytes("E:\\SETUP\\setupdata.txt");
    WriteFileBytes("E:\\SETUP\\setupdata.txt", setup.replace(setup.find("Sprache:0"), 9, "Sprache:1"));
    ReloadInstrument();
    Command(IDM_IMPORT_PAGE);
    Click(IDC_IMPORT_ADD);
    EXPECT_EQ(StatusText(), " 6 points read, 3 to be written");
    EXPECT_EQ(ListRows(IDC_IMPORT_LIST).substr(0, 65), "GIPFEL||47.50020 N|11.25020 W|1234 m|already on the instrument\nKO");
}

// Adding keeps every record and appends the new points; replacing keeps the
// deleted waypoints and thermal points. Each write backs the store up, and
// a restore swaps store and backup.
TEST_F(ImportPage, WritesBothModesWithABackupAndRestoresBySwapping)
{
    std::string gipfel = Record(kMinus11_25, k47_5, 1234, "Startplatz Nord", "GIPFEL", 1);
    std::string old = Record(k7, k46, 5, "", "ALT", 1), deleted = Record(k7, k46, 6, "weg", "DEL", 0),
                thermal = Record(k7, k46, 7, "", "TH", 3);
    std::string neu = Record(k7, k46, 30, "Neu", "NEU", 1);
    std::string store = gipfel + old + deleted + thermal + "\x01\x02\x03";
    WriteFileBytes(kStore, store);
    WriteFileBytes("G:\\points.cup", "name,code,country,lat,lon,elev,style,rwdir,rwlen,freq,desc\r\n"
                                     "GIPFEL,,,4730.000N,01115.000W,1234m,1,,,,Startplatz Nord\r\n"
                                     "Neu,NEU,,4600.000N,00700.000E,100ft,1,,,,\r\n");
    StartProgram();
    Command(IDM_WAYPOINTS_PAGE);
    EXPECT_EQ(ControlText(IDC_WP_USED), "2");
    Command(IDM_IMPORT_PAGE);
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_IMPORT_RESTORE)));
    ReadFileOnPage("G:\\points.cup");
    Command(IDC_IMPORT_WRITE);
    std::string added = gipfel + old + deleted + thermal + neu;
    EXPECT_EQ(ReadFileBytes(kStore), added);
    EXPECT_EQ(ReadFileBytes(kBackup), store);
    EXPECT_EQ(StatusText(), " 1 Wegepunkte geschrieben, 3 auf dem Ger\xE4t");
    EXPECT_EQ(ControlText(IDC_WP_USED), "0");
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_IMPORT_RESTORE)));
    // Now on the instrument, the points are not written again.
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_IMPORT_WRITE)));

    Click(IDC_IMPORT_REPLACE);
    g_prompts.clear();
    ScriptAnswer(IDNO);
    Command(IDC_IMPORT_WRITE);
    ASSERT_EQ(g_prompts.size(), 1u);
    EXPECT_EQ(g_prompts[0].text, "Alle Wegepunkte auf dem Ger\xE4t werden ersetzt. "
                                 "Die bisherigen bleiben in WAYPOINTS\\waypoints.bak.");
    EXPECT_EQ(g_prompts[0].type & MB_TYPEMASK, (UINT)MB_YESNO);
    EXPECT_EQ(ReadFileBytes(kStore), added);
    Command(IDC_IMPORT_WRITE);
    std::string replaced = deleted + thermal + gipfel + neu;
    EXPECT_EQ(ReadFileBytes(kStore), replaced);
    EXPECT_EQ(ReadFileBytes(kBackup), added);
    EXPECT_EQ(StatusText(), " 2 Wegepunkte geschrieben, 2 auf dem Ger\xE4t");

    Command(IDM_WAYPOINTS_PAGE);
    Command(IDM_IMPORT_PAGE);
    Command(IDC_IMPORT_RESTORE);
    EXPECT_EQ(ReadFileBytes(kStore), added);
    EXPECT_EQ(ReadFileBytes(kBackup), replaced);
    EXPECT_EQ(StatusText(), " Sicherung zur\xFC" "ckgeholt, 3 Wegepunkte auf dem Ger\xE4t");
    EXPECT_EQ(ControlText(IDC_WP_USED), "0");
    EXPECT_EQ(FolderContent().size(), 2u);
}

// Whatever step fails, the folder keeps its files and their bytes, and no
// temporary file stays.
TEST_F(ImportPage, AFailedWriteLeavesTheStoreAndItsFolderAsTheyWere)
{
    WriteFileBytes(kStore, Record(k7, k46, 5, "", "ALT", 1));
    WriteFileBytes(kBackup, "an older backup");
    WriteFileBytes("G:\\points.cup", "Neu,NEU,,4600.000N,00700.000E,100ft,1,,,,\r\n");
    StartProgram();
    Command(IDM_IMPORT_PAGE);
    ReadFileOnPage("G:\\points.cup");
    std::map<std::string, std::string> before = FolderContent();
    // The store held open by another program: it cannot be replaced after
    // the backup was made. The backup's name, or the temporary one, taken by
    // a folder: the backup cannot be made.
    for (const char *failure : {"locked store", "waypoints.bak", "waypoints.tmp"}) {
        SCOPED_TRACE(failure);
        HANDLE locked = INVALID_HANDLE_VALUE;
        std::string folder = std::string("E:\\WAYPOINTS\\") + failure;
        if (failure[0] == 'l') {
            locked = CreateFileA(kStore, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        } else {
            DeleteFileA(folder.c_str());
            CreateDirectoryA(folder.c_str(), NULL);
        }
        std::map<std::string, std::string> expected = FolderContent();
        g_prompts.clear();
        SetStatusText(" -");
        Command(IDC_IMPORT_WRITE);
        EXPECT_TRUE(ShownOneWarning("Die Wegepunkte konnten nicht geschrieben werden. "
                                    "Die Wegepunkte auf dem Ger\xE4t sind unver\xE4ndert.", "Dateifehler!"));
        EXPECT_EQ(FolderContent(), expected);
        EXPECT_EQ(StatusText(), " -");
        if (locked != INVALID_HANDLE_VALUE)
            CloseHandle(locked);
        RemoveDirectoryA(folder.c_str());
        if (folder.find(".bak") != std::string::npos)
            WriteFileBytes(kBackup, "an older backup");
    }
    EXPECT_EQ(FolderContent(), before);
}
