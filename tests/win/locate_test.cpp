// Finding the instrument: the drive scan, the manual choice, the real
// program started from the instrument, and drive arrivals delivered to the
// real dialog as Windows broadcasts them.
#include <windows.h>
#include <dbt.h>

#include "ui/pages.h"
#include "ui/resource.h"
#include "device/devpath.h"
#include "app/instrument.h"
#include "tests/win/harness.h"
#include "tests/win/scripted_prompts.h"

static const char kNotFound[] = "Zirkano 2.0 nicht gefunden!";

class Locate : public ::testing::Test {
protected:
    void SetUp() override { ClearTestDrives(); }
};

TEST_F(Locate, FirstDriveWithASettingsFileIsLoadedAndKeptByRefusedChoices)
{
    WriteFileBytes("D:\\SETUP\\other.txt", "not the settings");
    CopySampleInstrument("E:\\");
    WriteFileBytes("F:\\SETUP\\setupdata.txt", "Contrast:6;\r\n*");
    WriteFileBytes("F:\\setupdata.txt", "Contrast:1;\r\n*");
    CopySampleInstrument("G:\\backup\\");
    WriteFileBytes("G:\\backup\\SETUP\\setupdata.txt", "Contrast:21;\r\n*");
    StartProgram();
    EXPECT_EQ(g_instrument.root.rootLength, 3);
    EXPECT_EQ(StatusText(), " Zirkano 2.0 an Laufwerk E: - Sprache: Deutsch");
    // The rules of a chosen name are the native tests' part.
    const char *refused[] = {
        "",                                   // cancelled
        "F:\\setupdata.txt",                 // not in a SETUP folder
        "F:\\nothing\\SETUP\\setupdata.txt", // does not open
    };
    for (const char *choice : refused) {
        SCOPED_TRACE(choice);
        ScriptChoice(choice);
        Command(IDM_CHOOSE_SETUP);
        EXPECT_STREQ(g_instrument.root.path, "E:\\");
        EXPECT_EQ(g_instrument.settings.Contrast, 14);
    }
    EXPECT_TRUE(PromptsOfKind("message").empty());
    EXPECT_EQ(StatusText(), " Zirkano 2.0 an Laufwerk E: - Sprache: Deutsch");
    ScriptChoice("G:\\backup\\SETUP\\setupdata.txt");
    Command(IDM_CHOOSE_SETUP);
    EXPECT_EQ(g_instrument.root.rootLength, 10);
    EXPECT_EQ(g_instrument.settings.Contrast, 21);
    EXPECT_EQ(StatusText(), " Zirkano 2.0 an Laufwerk G: - Sprache: Deutsch");
}

TEST_F(Locate, ProgramStartedFromTheInstrumentFindsItsOwnDriveFirst)
{
    // The real program, copied onto the instrument on G:, with another
    // instrument on the earlier drive E:.
    CopySampleInstrument("E:\\");
    CopySampleInstrument("G:\\");
    MakeFolder("G:\\TOLMARO");
    char self[MAX_PATH];
    GetModuleFileNameA(NULL, self, sizeof self);
    std::string program = std::string(self).substr(0, std::string(self).rfind('\\') + 1) + "tolmaro.exe";
    ASSERT_TRUE(CopyFileA(program.c_str(), "G:\\TOLMARO\\tolmaro.exe", FALSE)) << program;

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    char commandLine[] = "G:\\TOLMARO\\tolmaro.exe";
    ASSERT_TRUE(CreateProcessA(NULL, commandLine, NULL, NULL, FALSE, 0, NULL, "G:\\TOLMARO", &startup, &process));
    // This test starts no program of its own: the dialog found is the new one's.
    HWND dialog = NULL;
    for (int i = 0; i < 1000 && !(dialog = FindWindowA("Tolmaro", NULL)); i++)
        Sleep(10);
    ASSERT_NE(dialog, nullptr);
    SendMessageA(dialog, WM_NULL, 0, 0);
    char status[256] = "";
    SendMessageA(GetDlgItem(dialog, IDC_STATUS), WM_GETTEXT, sizeof status, (LPARAM)status);
    EXPECT_STREQ(status, " Zirkano 2.0 an Laufwerk G: - Sprache: Deutsch");
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
    DWORD code = 99;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}

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
    EXPECT_EQ(g_instrument.root.path, std::string(1, drive) + ":\\");
    EXPECT_EQ(g_instrument.root.rootLength, 3);
    EXPECT_EQ(g_instrument.settings.Contrast, contrast);
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

class Arrival : public Locate {};

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
    // The fixed lists are filled even so.
    EXPECT_EQ(ComboItem(IDC_FIELD2, 16), "Empty Field");
    EXPECT_EQ(ComboItem(IDC_CLASS, 7), "HG (Fun Cup)");

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
    EXPECT_EQ(PromptsOfKind("open").size(), 1u);

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
}
