// The load of the instrument's data and the save of its settings file.
#include <gtest/gtest.h>

#include "app/resource.h"
#include "settings/devicedata.h"
#include "tests/win/harness.h"
#include "tests/win/scripted_prompts.h"

static const char kDefaultFile[] =
    "Sinkton:-2.5;\r\nSteigton:0.3;\r\nTimeoffset:1;\r\nTrackinterval:1;\r\n"
    "Lautstaerke:4;\r\nFeld1:2;\r\nFeld2:1;\r\nSprache:0;\r\nContrast:12;\r\n"
    "POffset:0.00;\r\nTOffset:0;\r\nAirspaceWarnDistance:1000;\r\nUnit:0;\r\n"
    "CoordinateFormat:0;\r\nIntegralzeit:3;\r\n*";

class DeviceData : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearTestDrives();
        CopySampleInstrument("E:\\");
    }
};

TEST_F(DeviceData, SettingsWrittenFromTheDefaultsAreTheDefaultLines)
{
    WriteFileBytes("E:\\SETUP\\setupdata.txt", "*");
    StartProgram();
    EXPECT_TRUE(WriteSetupFile());
    EXPECT_EQ(ReadFileBytes("E:\\SETUP\\setupdata.txt"), kDefaultFile);
    EXPECT_FALSE(FileExists("E:\\SETUP\\setupdata.new"));
    EXPECT_EQ(StatusText(), " Setup in Datei E:\\SETUP\\setupdata.txt gespeichert");
    CloseProgram(WM_CLOSE);
}

TEST_F(DeviceData, ValuesAreClampedOnLoadAndWrittenBackInFull)
{
    WriteFileBytes("E:\\SETUP\\setupdata.txt",
                   "Sinkton:-7;\r\nLautstaerke:-1;\r\nTOffset:-5;\r\nPOffset:-1234567.891;\r\n"
                   "Feld1:258;\r\nTimeoffset:-20;\r\nSprache:8;\r\n*\r\nContrast:3;\r\n");
    StartProgram();
    EXPECT_TRUE(WriteSetupFile());
    EXPECT_EQ(ReadFileBytes("E:\\SETUP\\setupdata.txt"),
              "Sinkton:-5.0;\r\nSteigton:0.3;\r\nTimeoffset:-12;\r\nTrackinterval:1;\r\n"
              "Lautstaerke:255;\r\nFeld1:2;\r\nFeld2:1;\r\nSprache:0;\r\nContrast:12;\r\n"
              "POffset:-1234567.88;\r\nTOffset:251;\r\nAirspaceWarnDistance:1000;\r\nUnit:0;\r\n"
              "CoordinateFormat:0;\r\nIntegralzeit:3;\r\n*");
    CloseProgram(WM_CLOSE);
}

TEST_F(DeviceData, FailedSaveIsReportedAndLeavesTheOldFile)
{
    StartProgram();
    std::string before = ReadFileBytes("E:\\SETUP\\setupdata.txt");
    std::string status = StatusText();
    // A folder where the new file would be written: it cannot be created.
    MakeFolder("E:\\SETUP\\setupdata.new");
    g_settings.Contrast = 3;
    EXPECT_FALSE(WriteSetupFile());
    EXPECT_TRUE(ShownOneWarning("Die Setupdatei kann nicht gespeichert werden", "Dateifehler"));
    EXPECT_EQ(ReadFileBytes("E:\\SETUP\\setupdata.txt"), before);
    EXPECT_EQ(StatusText(), status);
    CloseProgram(WM_CLOSE);
}

TEST_F(DeviceData, SaveToAnInstrumentThatIsGoneIsReported)
{
    StartProgram();
    ClearTestDrives();
    EXPECT_FALSE(WriteSetupFile());
    EXPECT_EQ(PromptsOfKind("message").size(), 1u);
    EXPECT_FALSE(FileExists("E:\\SETUP\\setupdata.txt"));
    CloseProgram(WM_CLOSE);
}

TEST_F(DeviceData, EveryLoadResetsTheWaypointCounts)
{
    StartProgram();
    SetDlgItemInt(Dialog(), IDC_WP_USED, 17, FALSE);
    SetDlgItemInt(Dialog(), IDC_WP_THERMAL, 3, FALSE);
    ScriptChoice("E:\\SETUP\\setupdata.txt");
    Command(IDM_CHOOSE_SETUP);
    EXPECT_EQ(ControlText(IDC_WP_USED), "0");
    EXPECT_EQ(ControlText(IDC_WP_DELETED), "0");
    EXPECT_EQ(ControlText(IDC_WP_THERMAL), "0");
    CloseProgram(WM_CLOSE);
}
