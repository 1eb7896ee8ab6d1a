// Finding the instrument: the drive scan, the manual choice, and the real
// program started from the instrument.
#include <gtest/gtest.h>

#include "app/resource.h"
#include "device/devpath.h"
#include "settings/devicedata.h"
#include "tests/win/harness.h"
#include "tests/win/scripted_prompts.h"

class Locate : public ::testing::Test {
protected:
    void SetUp() override { ClearTestDrives(); }
};

TEST_F(Locate, WithoutInstrumentOneWarningThenTheChoiceOfAFolderLoads)
{
    CopySampleInstrument("D:\\x\\");
    StartProgram();
    EXPECT_TRUE(ShownOneWarning("Bitte Verzeichnis ausw\xE4hlen", "Zirkano 2.0 nicht gefunden!"));
    EXPECT_EQ(StatusText(), " Suche Zirkano 2.0 Laufwerk");
    EXPECT_EQ(g_settings.AirspaceWarnDistance, 1000);
    EXPECT_EQ(g_settings.Integralzeit, 3);
    EXPECT_FALSE(ToolbarButtonEnabled(1));
    // The fixed lists are filled even so.
    EXPECT_EQ(ComboItem(IDC_FIELD2, 16), "Empty Field");
    EXPECT_EQ(ComboItem(IDC_CLASS, 7), "HG (Fun Cup)");

    ScriptChoice("D:\\x\\SETUP\\setupdata.txt");
    Command(IDM_CHOOSE_SETUP);
    EXPECT_EQ(StatusText(), " Zirkano 2.0 an Laufwerk D: - Sprache: Deutsch");
    EXPECT_EQ(g_settings.AirspaceWarnDistance, 500);
    EXPECT_EQ(PromptsOfKind("message").size(), 1u);

    std::vector<PromptCall> dialogs = PromptsOfKind("open");
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].filter, "Zirkano 2.0 Setup-Datei|setupdata.txt|");
    EXPECT_EQ(dialogs[0].caption, "Zirkano 2.0 Setup-Verzeichnis w\xE4hlen");
    EXPECT_EQ(dialogs[0].flags, (DWORD)OFN_EXPLORER);
}

TEST_F(Locate, FirstDriveWithASettingsFileIsLoadedAndKeptByRefusedChoices)
{
    WriteFileBytes("D:\\SETUP\\other.txt", "not the settings");
    CopySampleInstrument("E:\\");
    WriteFileBytes("F:\\SETUP\\setupdata.txt", "Contrast:6;\r\n*");
    WriteFileBytes("F:\\setupdata.txt", "Contrast:1;\r\n*");
    CopySampleInstrument("G:\\backup\\");
    WriteFileBytes("G:\\backup\\SETUP\\setupdata.txt", "Contrast:21;\r\n*");
    StartProgram();
    EXPECT_EQ(g_deviceRoot.rootLength, 3);
    EXPECT_EQ(StatusText(), " Zirkano 2.0 an Laufwerk E: - Sprache: Deutsch");
    // The sample's own values, not the defaults.
    EXPECT_EQ(g_working.AirspaceWarnDistance, 500);
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
        EXPECT_EQ(g_deviceRoot.rootLength, 3);
        ASSERT_TRUE(FormDevicePath("SETUP\\igcheader.txt"));
        EXPECT_STREQ(g_deviceRoot.path, "E:\\SETUP\\igcheader.txt");
        EXPECT_EQ(g_settings.Contrast, 14);
    }
    EXPECT_TRUE(PromptsOfKind("message").empty());
    EXPECT_EQ(StatusText(), " Zirkano 2.0 an Laufwerk E: - Sprache: Deutsch");
    ScriptChoice("G:\\backup\\SETUP\\setupdata.txt");
    Command(IDM_CHOOSE_SETUP);
    EXPECT_EQ(g_deviceRoot.rootLength, 10);
    EXPECT_EQ(g_settings.Contrast, 21);
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
