// The instrument plugged in while the program runs: drive arrivals
// delivered to the real dialog as Windows broadcasts them.
#include <gtest/gtest.h>

#include <windows.h>
#include <dbt.h>

#include "app/pages.h"
#include "app/resource.h"
#include "device/devpath.h"
#include "settings/devicedata.h"
#include "tests/win/harness.h"
#include "tests/win/scripted_prompts.h"

static const char kNotFound[] = "Zirkano 2.0 nicht gefunden!";

static LRESULT Broadcast(WPARAM event, DWORD deviceType, DWORD driveMask)
{
    DEV_BROADCAST_VOLUME volume = {};
    volume.dbcv_size = sizeof volume;
    volume.dbcv_devicetype = deviceType;
    volume.dbcv_unitmask = driveMask;
    return Send(WM_DEVICECHANGE, event, (LPARAM)&volume);
}

static void Arrive(const char *letters)
{
    DWORD mask = 0;
    for (const char *c = letters; *c; c++)
        mask |= 1u << (*c - 'A');
    Broadcast(DBT_DEVICEARRIVAL, DBT_DEVTYP_VOLUME, mask);
}

// An instrument whose contrast tells it apart from the others.
static void PlugInstrument(char drive, int contrast)
{
    std::string root = std::string(1, drive) + ":\\";
    CopySampleInstrument(root);
    WriteFileBytes(root + "SETUP\\setupdata.txt", "Contrast:" + std::to_string(contrast) + ";\r\n*");
}

static void Unplug(char drive)
{
    DeleteFileA((std::string(1, drive) + ":\\SETUP\\setupdata.txt").c_str());
}

// Loaded as at start-up: the drive, its page, its buttons and its status.
static void ExpectLoaded(char drive, int contrast)
{
    EXPECT_EQ(g_deviceRoot.path[0], drive);
    EXPECT_EQ(g_deviceRoot.rootLength, 3);
    EXPECT_EQ(g_settings.Contrast, contrast);
    EXPECT_EQ(g_page, PAGE_PREVIEW);
    EXPECT_TRUE(ToolbarButtonEnabled(1));
    EXPECT_EQ(StatusText(), std::string(" Zirkano 2.0 an Laufwerk ") + drive + ": - Sprache: Deutsch");
}

static void ExpectNothingLoaded()
{
    EXPECT_EQ(g_page, PAGE_START);
    EXPECT_FALSE(ToolbarButtonEnabled(1));
    EXPECT_EQ(StatusText(), " Suche Zirkano 2.0 Laufwerk");
}

class Arrival : public ::testing::Test {
protected:
    void SetUp() override { ClearTestDrives(); }
    void TearDown() override { CloseProgram(WM_CLOSE); }
};

TEST_F(Arrival, OnlyAVolumeWithTheSettingsFileIsLoadedAndOnlyWhileNoneIsLoaded)
{
    StartProgram();
    ASSERT_TRUE(ShownOneWarning("Bitte Verzeichnis ausw\xE4hlen", kNotFound));

    CopySampleInstrument("D:\\other\\");
    Arrive("D");
    PlugInstrument('F', 6);
    PlugInstrument('G', 7);
    Broadcast(DBT_DEVICEARRIVAL, DBT_DEVTYP_PORT, 1u << ('F' - 'A'));
    Broadcast(DBT_DEVICEREMOVECOMPLETE, DBT_DEVTYP_VOLUME, 1u << ('F' - 'A'));
    ExpectNothingLoaded();

    // Several letters at once: the first in letter order that has the file.
    Arrive("GDF");
    ExpectLoaded('F', 6);
    EXPECT_EQ(ControlText(IDC_PILOT_HEADING), "Pilotendaten");
    EXPECT_EQ(PromptsOfKind("message").size(), 1u);

    // A loaded instrument is replaced only once it is gone.
    PlugInstrument('E', 5);
    Arrive("E");
    ExpectLoaded('F', 6);

    // Chosen by hand from a folder, it stays loaded as long as it is there.
    PlugInstrument('G', 7);
    PlugInstrument('D', 8);
    ScriptChoice("D:\\SETUP\\setupdata.txt");
    Command(IDM_CHOOSE_SETUP);
    Arrive("G");
    ExpectLoaded('D', 8);

    Unplug('D');
    Arrive("EG");
    ExpectLoaded('E', 5);
}

TEST_F(Arrival, ArrivalsWhileABoxOrDialogIsOpenAreLoadedBeneathIt)
{
    ScriptDuringNextPrompt([] {
        PlugInstrument('F', 6);
        Arrive("F");
    });
    StartProgram();
    ASSERT_TRUE(ShownOneWarning("Bitte Verzeichnis ausw\xE4hlen", kNotFound));
    ExpectLoaded('F', 6);

    // A refused choice keeps the instrument that arrived meanwhile.
    Unplug('F');
    ScriptDuringNextPrompt([] {
        PlugInstrument('G', 7);
        Arrive("G");
    });
    ScriptChoice("D:\\none\\SETUP\\setupdata.txt");
    Command(IDM_CHOOSE_SETUP);
    ASSERT_EQ(PromptsOfKind("open").size(), 1u);
    ExpectLoaded('G', 7);
    ASSERT_TRUE(FormDevicePath("SETUP\\setupdata.txt"));
    EXPECT_STREQ(g_deviceRoot.path, "G:\\SETUP\\setupdata.txt");
}
