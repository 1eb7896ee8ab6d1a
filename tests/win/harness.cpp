// Runs the real main dialog on a thread of its own and drives it.
#include "tests/win/harness.h"

#include <commctrl.h>
#include <process.h>
#include <stdio.h>
#include <string.h>

#include <vector>

#include <gtest/gtest.h>

#include "ui/resource.h"
#include "app/dialog.h"
#include "ui/shell.h"
#include "tests/win/scripted_prompts.h"

static HANDLE g_thread;
static HWND g_dialog;

// A test that stops at a failed assertion still ends the program, so that
// the test process exits.
class ProgramEnvironment : public ::testing::Environment {
    void TearDown() override
    {
        if (g_thread)
            CloseProgram(WM_CLOSE);
    }
};
static ::testing::Environment *const g_environment =
    ::testing::AddGlobalTestEnvironment(new ProgramEnvironment);

static unsigned __stdcall ProgramThread(void *)
{
    return (unsigned)RunTolmaro(GetModuleHandleA(NULL));
}

std::vector<WIN32_FIND_DATAA> ListFolder(const std::string &folder)
{
    std::vector<WIN32_FIND_DATAA> entries;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return entries;
    do {
        if (strcmp(entry.cFileName, ".") != 0 && strcmp(entry.cFileName, "..") != 0)
            entries.push_back(entry);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return entries;
}

bool IsFolder(const WIN32_FIND_DATAA &entry)
{
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

static void RemoveTree(const std::string &folder)
{
    for (const WIN32_FIND_DATAA &entry : ListFolder(folder)) {
        std::string path = folder + entry.cFileName;
        if (IsFolder(entry)) {
            RemoveTree(path + "\\");
            RemoveDirectoryA(path.c_str());
        } else {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    }
}

void ClearTestDrives()
{
    for (char drive = 'D'; drive <= 'G'; drive++)
        RemoveTree(std::string(1, drive) + ":\\");
}

static void CopyTree(const std::string &from, const std::string &to)
{
    CreateDirectoryA(to.c_str(), NULL);
    for (const WIN32_FIND_DATAA &entry : ListFolder(from)) {
        std::string name = entry.cFileName;
        if (IsFolder(entry))
            CopyTree(from + name + "\\", to + name + "\\");
        else
            CopyFileA((from + name).c_str(), (to + name).c_str(), FALSE);
    }
}

void CopySampleInstrument(const std::string &folder)
{
    // The tests run under Wine, where drive Z: is the Unix root. The build's
    // sample comes from its generator, with the empty folders git cannot keep.
    std::string sample = std::string("Z:") + TOLMARO_SAMPLE_DIR + "/";
    for (char &c : sample)
        c = c == '/' ? '\\' : c;
    CopyTree(sample, folder);
}

void MakeFolder(const std::string &path)
{
    // Every folder on the way, for "E:\\FLIGHTS\\2026\\04".
    for (size_t at = 3; at <= path.size(); at++)
        if (at == path.size() || path[at] == '\\')
            CreateDirectoryA(path.substr(0, at).c_str(), NULL);
}

void WriteFileBytes(const std::string &path, const std::string &bytes)
{
    size_t slash = path.rfind('\\');
    if (slash != std::string::npos)
        MakeFolder(path.substr(0, slash));
    FILE *f = fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

bool FileExists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void StartProgram()
{
    g_thread = (HANDLE)_beginthreadex(NULL, 0, ProgramThread, NULL, 0, NULL);
    ASSERT_NE(g_thread, nullptr);
    for (int i = 0; i < 1000 && !g_dialog; i++) {
        if (WaitForSingleObject(g_thread, 0) == WAIT_OBJECT_0)
            break;
        g_dialog = FindWindowA("Tolmaro", NULL);
        if (!g_dialog)
            Sleep(10);
    }
    ASSERT_NE(g_dialog, nullptr) << "the main dialog did not appear";
    // Answered once the dialog runs its message loop, after initialisation.
    SendMessageA(g_dialog, WM_NULL, 0, 0);
}

int CloseProgram(UINT message, WPARAM wParam)
{
    PostMessageA(g_dialog, message, wParam, 0);
    WaitForSingleObject(g_thread, 10000);
    DWORD code = 0xDEAD;
    GetExitCodeThread(g_thread, &code);
    CloseHandle(g_thread);
    g_thread = NULL;
    g_dialog = NULL;
    return (int)code;
}

HWND Dialog()
{
    return g_dialog;
}

HWND Control(int id)
{
    return GetDlgItem(g_dialog, id);
}

LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageA(g_dialog, message, wParam, lParam);
}

LRESULT Command(int id)
{
    return Send(WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void SetSetupValue(const char *key, const std::string &value)
{
    std::string setup = ReadFileBytes("E:\\SETUP\\setupdata.txt");
    size_t at = setup.find(std::string(key) + ":") + strlen(key) + 1;
    WriteFileBytes("E:\\SETUP\\setupdata.txt", setup.replace(at, setup.find(';', at) - at, value));
}

void ReloadInstrument()
{
    ScriptChoice("E:\\SETUP\\setupdata.txt");
    Command(IDM_CHOOSE_SETUP);
}

std::string ControlText(int id)
{
    std::string text(GetWindowTextLengthA(Control(id)) + 1, '\0');
    text.resize(GetWindowTextA(Control(id), &text[0], (int)text.size()));
    return text;
}

std::string StatusText()
{
    char text[1024] = "";
    SendDlgItemMessageA(g_dialog, IDC_STATUS, SB_GETTEXTA, 0, (LPARAM)text);
    return text;
}

bool IsShown(int id)
{
    return (GetWindowLongA(Control(id), GWL_STYLE) & WS_VISIBLE) != 0;
}

std::string ComboItem(int id, int index)
{
    char text[1024] = "";
    if (SendDlgItemMessageA(g_dialog, id, CB_GETLBTEXTLEN, index, 0) < (LRESULT)sizeof text)
        SendDlgItemMessageA(g_dialog, id, CB_GETLBTEXT, index, (LPARAM)text);
    return text;
}

int ComboSelection(int id)
{
    return (int)SendDlgItemMessageA(g_dialog, id, CB_GETCURSEL, 0, 0);
}

bool ToolbarButtonEnabled(int index)
{
    TBBUTTON button = {};
    return SendMessageA(Control(IDC_TOOLBAR), TB_GETBUTTON, index, (LPARAM)&button) &&
           (button.fsState & TBSTATE_ENABLED) != 0;
}

::testing::AssertionResult ShownOneWarning(const std::string &text, const std::string &caption)
{
    std::vector<PromptCall> boxes = PromptsOfKind("message");
    if (boxes.size() != 1)
        return ::testing::AssertionFailure() << boxes.size() << " message boxes, not one";
    const PromptCall &box = boxes[0];
    if (box.text != text || box.caption != caption)
        return ::testing::AssertionFailure() << "box \"" << box.caption << "\": \"" << box.text << "\"";
    if (box.type != (UINT)MB_ICONWARNING || box.owner != g_dialog)
        return ::testing::AssertionFailure() << "box type " << box.type << ", owner " << box.owner;
    return ::testing::AssertionSuccess();
}

void SelectRow(int list, int row)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(Control(list), LVM_SETITEMSTATE, row, (LPARAM)&item);
}

std::string ListRows(int list)
{
    std::string rows;
    int count = (int)SendMessageA(Control(list), LVM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < count; i++) {
        for (int column = 0; column < 6; column++) {
            char text[300] = "";
            LVITEMA item = {};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(Control(list), LVM_GETITEMTEXTA, i, (LPARAM)&item);
            rows += (column ? "|" : "") + std::string(text);
        }
        rows += "\n";
    }
    return rows;
}
