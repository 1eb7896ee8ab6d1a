// The waypoint page: the analysis of the store and the three exports, run
// through the real dialog with the instrument on drive E:.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <math.h>
#include <stdio.h>

#include <algorithm>
#include <string>

#include "app/resource.h"
#include "tests/common/waypoint_example.h"
#include "tests/win/harness.h"
#include "tests/win/scripted_prompts.h"
#include "waypoints/wptformat.h"

static const char kStore[] = "E:\\WAYPOINTS\\waypoints.skt";
static const char kHeader[] = "G  WGS 84\r\nU  1\r\n";

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

static bool Enabled(int id)
{
    return IsWindowEnabled(Control(id)) != FALSE;
}

class Waypoints : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearTestDrives();
        CopySampleInstrument("E:\\");
    }
    void TearDown() override
    {
        CloseProgram(WM_CLOSE);
    }

    // Starts the program on a store of these bytes and runs command 3005.
    void Analyse(const std::string &storeBytes)
    {
        WriteFileBytes(kStore, storeBytes);
        StartProgram();
        Command(IDM_WAYPOINTS_PAGE);
    }

    void ExpectCounts(const char *waypoints, const char *deleted, const char *thermals)
    {
        EXPECT_EQ(ControlText(IDC_WP_USED), waypoints);
        EXPECT_EQ(ControlText(IDC_WP_DELETED), deleted);
        EXPECT_EQ(ControlText(IDC_WP_THERMAL), thermals);
    }

    void ExpectButtons(bool waypoints, bool deleted, bool thermals)
    {
        EXPECT_EQ(Enabled(IDC_EXPORT_WAYPOINTS), waypoints);
        EXPECT_EQ(Enabled(IDC_EXPORT_DELETED), deleted);
        EXPECT_EQ(Enabled(IDC_EXPORT_THERMALS), thermals);
    }
};

TEST_F(Waypoints, SampleStoreIsCountedByKind)
{
    StartProgram();
    ExpectButtons(false, false, false);
    Command(IDM_WAYPOINTS_PAGE);
    EXPECT_TRUE(IsShown(IDC_WP_HEADING));
    ExpectCounts("20", "6", "13");
    ExpectButtons(true, true, true);
    EXPECT_EQ(StatusText(), " Datei E:\\WAYPOINTS\\waypoints.skt analysiert");
    EXPECT_TRUE(IsShown(IDC_WP_ANIMATION));
}

TEST_F(Waypoints, EmptyStoreCountsNothingAndIsAnalysedAgain)
{
    Analyse("");
    ExpectCounts("0", "0", "0");
    ExpectButtons(false, false, false);
    EXPECT_EQ(StatusText(), " Datei E:\\WAYPOINTS\\waypoints.skt analysiert");
    // Nothing found yet: the next visit reads the store again.
    WriteFileBytes(kStore, Records(3, 0));
    Command(IDM_WAYPOINTS_PAGE);
    ExpectCounts("0", "3", "0");
    ExpectButtons(false, true, false);
}

TEST_F(Waypoints, MissingStoreIsNoErrorAndLeavesTheStatus)
{
    DeleteFileA(kStore);
    StartProgram();
    std::string status = StatusText();
    Command(IDM_WAYPOINTS_PAGE);
    EXPECT_TRUE(IsShown(IDC_WP_HEADING));
    ExpectCounts("0", "0", "0");
    ExpectButtons(false, false, false);
    EXPECT_EQ(StatusText(), status);
    EXPECT_FALSE(IsShown(IDC_WP_ANIMATION));
    EXPECT_TRUE(g_prompts.empty());
}

TEST_F(Waypoints, PartialLastRecordIsIgnored)
{
    Analyse(Record("A", 1, 1) + "\x01");
    ExpectCounts("1", "0", "0");
    ExpectButtons(true, false, false);
}

TEST_F(Waypoints, TwoWaypointsAndOneDeleted)
{
    Analyse(Record("A", 1, 1) + Record("B", 2, 1) + Record("C", 3, 0));
    ExpectCounts("2", "1", "0");
    ExpectButtons(true, true, false);
}

// The page is updated at every hundredth record of a kind; the counts must
// still come out whole between and after those steps.
TEST_F(Waypoints, CountsPastProgressStepsComeOutWhole)
{
    Analyse(Records(250, 1) + Records(100, 0) + Records(99, 3) + Records(1, 1));
    ExpectCounts("251", "100", "99");
    ExpectButtons(true, true, true);
}

TEST_F(Waypoints, KindAboveFiveCountsAsThermal)
{
    Analyse(Record("T7", 0, 7));
    ExpectCounts("0", "0", "1");
    ExpectButtons(false, false, true);
}

TEST_F(Waypoints, SecondVisitShowsThePageAndChangesNothing)
{
    Analyse(Record("A", 1, 1) + Record("C", 3, 0));
    WriteFileBytes(kStore, Records(5, 4));
    SendMessageA(Control(IDC_STATUS), SB_SETTEXTA, 0, (LPARAM) " anders");
    Command(IDC_WP_BACK);
    EXPECT_FALSE(IsShown(IDC_WP_HEADING));
    Command(IDM_WAYPOINTS_PAGE);
    EXPECT_TRUE(IsShown(IDC_WP_HEADING));
    ExpectCounts("1", "1", "0");
    ExpectButtons(true, true, false);
    EXPECT_EQ(StatusText(), " anders");
    EXPECT_FALSE(IsShown(IDC_WP_ANIMATION));
}

TEST_F(Waypoints, ReloadZeroesCountsAndKeepsEnabledButtons)
{
    Analyse(Record("A", 1, 1) + Record("C", 3, 0));
    CopySampleInstrument("F:\\");
    WriteFileBytes("F:\\WAYPOINTS\\waypoints.skt", Records(2, 5));
    ScriptChoice("F:\\SETUP\\setupdata.txt");
    Command(IDM_CHOOSE_SETUP);
    ExpectCounts("0", "0", "0");
    ExpectButtons(true, true, false);
    Command(IDM_WAYPOINTS_PAGE);
    ExpectCounts("0", "0", "2");
    ExpectButtons(true, true, true);
    EXPECT_EQ(StatusText(), " Datei F:\\WAYPOINTS\\waypoints.skt analysiert");
}

TEST_F(Waypoints, EachExportWritesItsKindsInStoreOrder)
{
    std::string store = Record("DEL", -5, 0) + std::string(kExampleRecord, 52) + Record("TD", 12345, 5) +
                        Record("T7", 7, 7) + Record("TA", -12345, 2) + Record("NAME7CH", 0, 0);
    Analyse(store);
    WriteFileBytes("G:\\points.wpt", std::string(5000, 'x'));   // replaced, not appended to
    ScriptChoice("G:\\points.wpt");
    Command(IDC_EXPORT_WAYPOINTS);
    EXPECT_EQ(ReadFileBytes("G:\\points.wpt"), std::string(kHeader) + kExampleLines);
    EXPECT_EQ(StatusText(), " 1 Punkte geschrieben");
    EXPECT_TRUE(IsShown(IDC_WP_ANIMATION));

    ScriptChoice("G:\\deleted.wpt");
    Command(IDC_EXPORT_DELETED);
    EXPECT_EQ(ReadFileBytes("G:\\deleted.wpt"),
              kHeader + Lines("DEL", "   -5", "DeletedWP") + Lines("NAME7CH", "    0", "DeletedWP"));
    EXPECT_EQ(StatusText(), " 2 Punkte geschrieben");

    ScriptChoice("G:\\thermals.wpt");
    Command(IDC_EXPORT_THERMALS);
    EXPECT_EQ(ReadFileBytes("G:\\thermals.wpt"),
              kHeader + Lines("TD", "12345", "ThermalD") + Lines("TA", "-12345", "ThermalA"));
    EXPECT_EQ(StatusText(), " 2 Punkte geschrieben");
    EXPECT_TRUE(PromptsOfKind("message").empty());
}

TEST_F(Waypoints, SaveDialogOffersTheDefaultNameEveryTimeAndCancelWritesNothing)
{
    struct { int button; const char *title; } exports[] = {
        {IDC_EXPORT_WAYPOINTS, "Wegepunkte schreiben"},
        {IDC_EXPORT_DELETED, "Gel\xF6schte Punkte schreiben"},
        {IDC_EXPORT_THERMALS, "Thermikpunkte schreiben"},
        {IDC_EXPORT_WAYPOINTS, "Wegepunkte schreiben"},
    };
    DeleteFileA("waypoints.wpt");
    StartProgram();
    // The first export writes a file; the other three are cancelled.
    ScriptChoice("G:\\first.wpt");
    for (auto &e : exports)
        Command(e.button);
    std::vector<PromptCall> dialogs = PromptsOfKind("save");
    ASSERT_EQ(dialogs.size(), 4u);
    for (size_t i = 0; i < dialogs.size(); i++) {
        const PromptCall &d = dialogs[i];
        EXPECT_EQ(d.caption, exports[i].title);
        EXPECT_EQ(d.structSize, sizeof(OPENFILENAMEA));
        EXPECT_EQ(d.owner, Dialog());
        EXPECT_EQ(d.instance, GetModuleHandleA(NULL));
        EXPECT_EQ(d.filter, "Waypoint Datei (*.wpt)|*.wpt|");
        EXPECT_EQ(d.fileName, "waypoints.wpt") << "export " << i;
        EXPECT_EQ(d.maxFile, 260u);
        EXPECT_EQ(d.initialDir, "");
        EXPECT_EQ(d.defaultExtension, "wpt");
        EXPECT_EQ(d.flags, (DWORD)(OFN_EXPLORER | OFN_OVERWRITEPROMPT));
    }
    // The sample's 20 waypoints, two lines each behind the header.
    std::string first = ReadFileBytes("G:\\first.wpt");
    EXPECT_EQ(first.compare(0, 17, kHeader), 0);
    EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 42);
    // The three cancelled exports wrote nothing and left the first one's status.
    EXPECT_EQ(StatusText(), " 20 Punkte geschrieben");
    EXPECT_FALSE(FileExists("waypoints.wpt"));
    EXPECT_FALSE(FileExists("G:\\waypoints.wpt"));
    EXPECT_TRUE(PromptsOfKind("message").empty());
}

TEST_F(Waypoints, ExportWithoutStoreWritesTheHeaderAlone)
{
    StartProgram();
    DeleteFileA(kStore);
    ScriptChoice("G:\\empty.wpt");
    Command(IDC_EXPORT_WAYPOINTS);
    EXPECT_EQ(ReadFileBytes("G:\\empty.wpt"), kHeader);
    EXPECT_EQ(StatusText(), " 0 Punkte geschrieben");
    EXPECT_TRUE(PromptsOfKind("message").empty());
}

TEST_F(Waypoints, OutputThatCannotBeCreatedIsReported)
{
    StartProgram();
    std::string status = StatusText();
    ScriptChoice("G:\\no such folder\\out.wpt");
    Command(IDC_EXPORT_WAYPOINTS);
    EXPECT_TRUE(ShownOneWarning("Wegepunktdatei kann nicht ge\xF6" "ffnet werden", "Dateifehler!"));
    EXPECT_EQ(StatusText(), status);
    EXPECT_FALSE(IsShown(IDC_WP_ANIMATION));
}

// Z: is the Unix root under Wine: /dev/full opens, and every write fails.
TEST_F(Waypoints, FileThatCannotBeWrittenInFullIsReported)
{
    StartProgram();
    std::string status = StatusText();
    ScriptChoice("Z:\\dev\\full");
    Command(IDC_EXPORT_WAYPOINTS);
    EXPECT_TRUE(ShownOneWarning("Wegepunktdatei kann nicht geschrieben werden", "Dateifehler!"));
    EXPECT_EQ(StatusText(), status);
}

// The Windows build's printf must round as the export's own digits do,
// exact ties to the even digit included.
TEST(WaypointDegrees, WrittenAsTheRuntimesPrintfWritesThem)
{
    const double values[] = {
        0.0, -0.0, 47.5000007526, 11.2500003131, 180.0000050090, 1.0 / 2048, 3.0 / 2048,
        2047.0 / 2048, 0.99999999995, 0.99999999999, 1e-300, 5e-11, 2147483647.99999,
        2147483648.0, 1.9497e40, HUGE_VAL,
    };
    for (double value : values) {
        char own[128], printed[128];
        own[FormatDegrees(value, own, sizeof own)] = '\0';
        snprintf(printed, sizeof printed, "%14.10f", fabs(value));
        EXPECT_STREQ(own, printed) << value;
    }
}
