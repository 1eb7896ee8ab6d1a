// The waypoint page: the analysis of the store and the three exports, run
// through the real dialog with the instrument on drive E:.
#include <windows.h>
#include <commdlg.h>

#include "ui/resource.h"
#include "ui/status.h"
#include "resources/version.h"
#include "tests/common/waypoint_example.h"
#include "tests/win/harness.h"
#include "tests/win/scripted_prompts.h"

static const char kStore[] = "E:\\WAYPOINTS\\waypoints.skt";
static const char kHeader[] = "G  WGS 84\r\nU  1\r\n";
static const char kAnalysed[] = " Datei E:\\WAYPOINTS\\waypoints.skt analysiert";

// A record at 0 N, 0 E with a name, an altitude and a kind.
static std::string Record(const std::string &name, int altitude, uint8_t kind)
{
    std::string record(52, '\0');
    record[8] = (char)(altitude >> 8);
    record[9] = (char)altitude;
    record.replace(10, 5, "Notiz");
    record.replace(41, name.size(), name);
    record[48] = (char)kind;
    return record;
}

static std::string Records(int count, uint8_t kind)
{
    std::string bytes;
    for (int i = 0; i < count; i++)
        bytes += Record("P", i, kind);
    return bytes;
}

// The point's two lines for a record made by Record().
static std::string Lines(const std::string &name, const char *altitude, const char *type)
{
    std::string padded = name + std::string(7 - (name.size() > 6 ? 6 : name.size()), ' ');
    return "W  " + padded + "A  0.0000000000\xBAN  0.0000000000\xBA" "E 27-MAR-62 00:00:00" + altitude +
           ".000000 Notiz\r\nw  " + type + ",0,-1.0,16777215,255,1,7,,0.0,\r\n";
}

// The counts shown, then whether each export button is enabled.
static std::string PageState()
{
    std::string state = ControlText(IDC_WP_USED) + " " + ControlText(IDC_WP_DELETED) + " " +
                        ControlText(IDC_WP_THERMAL) + " ";
    for (int button : {IDC_EXPORT_WAYPOINTS, IDC_EXPORT_DELETED, IDC_EXPORT_THERMALS})
        state += IsWindowEnabled(Control(button)) ? "+" : "-";
    return state;
}

class Waypoints : public SampleInstrumentTest {};

// One program through a series of stores. Without a store nothing is counted
// or said, and an export is the header alone. A reload sets the counts to 0
// and the next visit counts the new store; a visit without a reload counts
// again only while nothing was found. Buttons once enabled stay enabled.
TEST_F(Waypoints, StoresAreCountedByKindAtTheFirstVisitAfterEachLoad)
{
    std::string sample = ReadFileBytes(kStore);
    struct { const char *name; std::string store; bool reload; const char *state; bool counted; } cases[] = {
        {"empty", "", false, "0 0 0 ---", true},
        {"nothing found yet: counted again", Records(3, 0), false, "0 3 0 -+-", true},
        {"second visit changes nothing", Records(5, 4), false, "0 3 0 -+-", false},
        {"kind 7 is a thermal", Record("T7", 0, 7), true, "0 0 1 -++", true},
        {"three records", Record("A", 1, 1) + Record("B", 2, 1) + Record("C", 3, 0), true, "2 1 0 +++", true},
        {"the sample's store", sample, true, "20 6 13 +++", true},
    };
    DeleteFileA(kStore);
    StartProgram();
    std::string status = StatusText();
    Command(IDM_WAYPOINTS_PAGE);
    EXPECT_EQ(PageState(), "0 0 0 ---");
    EXPECT_EQ(StatusText(), status);
    EXPECT_FALSE(IsShown(IDC_WP_ANIMATION));
    ScriptChoice("G:\\empty.wpt");
    Command(IDC_EXPORT_WAYPOINTS);
    EXPECT_EQ(ReadFileBytes("G:\\empty.wpt"), kHeader);
    EXPECT_EQ(StatusText(), " 0 Punkte geschrieben");
    EXPECT_TRUE(PromptsOfKind("message").empty());
    // A failed write of each format: further below.
    ScriptChoice("G:\\no such folder\\out.wpt");
    Command(IDC_EXPORT_WAYPOINTS);
    EXPECT_TRUE(ShownOneWarning("Wegepunktdatei kann nicht ge\xF6" "ffnet werden", "Dateifehler!"));
    EXPECT_EQ(StatusText(), " 0 Punkte geschrieben");
    Command(IDC_WP_BACK);

    for (auto &c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(kStore, c.store);
        if (c.reload) {
            ReloadInstrument();
            EXPECT_EQ(PageState().substr(0, 6), "0 0 0 ");
        }
        SetStatusText(" -");
        Command(IDM_WAYPOINTS_PAGE);
        EXPECT_EQ(PageState(), c.state);
        EXPECT_EQ(StatusText(), c.counted ? kAnalysed : " -");
        EXPECT_EQ(IsShown(IDC_WP_ANIMATION), c.counted);
        Command(IDC_WP_BACK);
    }
}

TEST_F(Waypoints, EachExportWritesItsKindsInStoreOrderInTheFormatOfTheNameOrTheChosenType)
{
    WriteFileBytes(kStore, Record("DEL", -5, 0) + std::string(kExampleRecord, 52) + Record("TD", 12345, 5) +
                               Record("T7", 7, 7) + Record("TA", -12345, 2) + Record("NAME7CH", 0, 0));
    DeleteFileA("waypoints.wpt");
    StartProgram();
    WriteFileBytes("G:\\points.wpt", std::string(5000, 'x'));   // replaced, not appended to
    struct { int button; const char *file; std::string bytes; const char *status; } exports[] = {
        {IDC_EXPORT_WAYPOINTS, "G:\\points.wpt", std::string(kHeader) + kExampleLines, " 1 Punkte geschrieben"},
        {IDC_EXPORT_DELETED, "G:\\deleted.wpt",
         kHeader + Lines("DEL", "   -5", "DeletedWP") + Lines("NAME7CH", "    0", "DeletedWP"), " 2 Punkte geschrieben"},
        {IDC_EXPORT_THERMALS, "G:\\thermals.wpt",
         kHeader + Lines("TD", "12345", "ThermalD") + Lines("TA", "-12345", "ThermalA"), " 2 Punkte geschrieben"},
        // Cancelled: nothing is written and the status stays.
        {IDC_EXPORT_WAYPOINTS, "", "", " 2 Punkte geschrieben"},
    };
    for (auto &e : exports) {
        ScriptChoice(e.file);
        Command(e.button);
        if (*e.file) {
            EXPECT_EQ(ReadFileBytes(e.file), e.bytes);
        }
        EXPECT_EQ(StatusText(), e.status);
        // Offers the CompeGPS type and asks before it replaces a file.
        PromptCall dialog = PromptsOfKind("save").back();
        EXPECT_EQ(dialog.fileType, 1u);
        EXPECT_EQ(dialog.flags, (DWORD)(OFN_EXPLORER | OFN_OVERWRITEPROMPT));
    }
    EXPECT_TRUE(IsShown(IDC_WP_ANIMATION));
    EXPECT_FALSE(FileExists("waypoints.wpt"));
    EXPECT_FALSE(FileExists("G:\\waypoints.wpt"));
    EXPECT_TRUE(PromptsOfKind("message").empty());

    // A name without an extension gets the chosen type's, and its format
    // (the rule for names with one: tests/native/waypoints_test.cpp). The
    // store's one waypoint, the example, in each format.
    std::string wpt = kHeader + std::string(kExampleLines);
    std::string gpx = std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<gpx version=\"1.1\" creator=\"Tolmaro ") +
                      std::to_string(TOLMARO_VERSION_MAJOR) + "." + std::to_string(TOLMARO_VERSION_MINOR) +
                      "\" xmlns=\"http://www.topografix.com/GPX/1/1\">\r\n"
                      "  <wpt lat=\"47.5000008\" lon=\"-11.2500003\">\r\n    <ele>1234</ele>\r\n"
                      "    <name>GIPFEL</name>\r\n    <desc>Startplatz Nord</desc>\r\n  </wpt>\r\n</gpx>\r\n";
    std::string cup = "name,code,country,lat,lon,elev,style,rwdir,rwlen,freq,desc\r\n"
                      "\"GIPFEL\",\"GIPFEL\",,4730.000N,01115.000W,1234m,1,,,,\"Startplatz Nord\"\r\n";
    struct { const char *typed; DWORD type; const char *file; const std::string &bytes; } typedExports[] = {
        {"G:\\typed", 1, "G:\\typed.wpt", wpt},
        {"G:\\typed", 2, "G:\\typed.gpx", gpx},
        {"G:\\typed", 3, "G:\\typed.cup", cup},
    };
    for (auto &e : typedExports) {
        SCOPED_TRACE(e.file);
        SetStatusText(" -");
        ScriptChoice(e.typed, e.type);
        Command(IDC_EXPORT_WAYPOINTS);
        EXPECT_EQ(ReadFileBytes(e.file), e.bytes);
        EXPECT_EQ(StatusText(), " 1 Punkte geschrieben");
    }
    EXPECT_FALSE(FileExists("G:\\typed"));
    // Windows drops a name's final dot: "Z:\dev\full." keeps its empty
    // extension, takes the chosen type's format and is /dev/full.
    for (DWORD type = 1; type <= 3; type++) {
        g_prompts.clear();
        SetStatusText(" -");
        ScriptChoice("Z:\\dev\\full.", type);
        Command(IDC_EXPORT_WAYPOINTS);
        EXPECT_TRUE(ShownOneWarning("Wegepunktdatei kann nicht geschrieben werden", "Dateifehler!")) << type;
        EXPECT_EQ(StatusText(), " -");
    }
}
