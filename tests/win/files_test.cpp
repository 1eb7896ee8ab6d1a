// The file page's removal and copies, run through the real dialog on folders
// mapped as drives: E: the instrument, G: the targets.
#include <stdio.h>
#include <string.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <set>
#include <vector>

#include "ui/resource.h"
#include "app/instrument.h"
#include "tests/win/harness.h"
#include "tests/win/scripted_prompts.h"

// Wine lists a folder sorted by name, ignoring case; the names below are
// chosen for the listing orders the tests need.

typedef std::map<std::string, std::string> Entries;

static const char kLog[] = "2025-06-14-ZIR-0001-01.igc";
static const char kCopyFailed[] = "1 Dateien oder Ordner konnten nicht kopiert werden";

// A file's bytes in short, so that a failed comparison stays readable.
static std::string Digest(const std::string &bytes)
{
    return std::to_string(bytes.size()) + " bytes " + std::to_string(std::hash<std::string>()(bytes));
}

// Every entry below folder (ending in a backslash) by relative path, but
// the one to leave out: folders end in a backslash, files give their digest.
static Entries Tree(const std::string &folder, const std::string &leaveOut = "", const std::string &below = "")
{
    Entries tree;
    for (const WIN32_FIND_DATAA &entry : ListFolder(folder + below)) {
        std::string path = below + entry.cFileName;
        if (path == leaveOut)
            continue;
        if (IsFolder(entry)) {
            Entries inner = Tree(folder, leaveOut, path + "\\");
            tree.insert(inner.begin(), inner.end());
            tree[path + "\\"] = "";
        } else {
            tree[path] = Digest(ReadFileBytes(folder + path));
        }
    }
    return tree;
}

// The files of a tree by their names alone, as the flight-log copy lays them down.
static Entries Flat(const Entries &tree)
{
    Entries files;
    for (const auto &e : tree)
        if (e.first.back() != '\\')
            files[e.first.substr(e.first.rfind('\\') + 1)] = e.second;
    return files;
}

// The Status line when the next box comes up, for a copy after the folder
// browser: it must hold the count already.
static std::string g_statusAtBox;

static void NoteStatus()
{
    g_statusAtBox = StatusText();
}

static void NoteStatusAfterBrowser()
{
    ScriptDuringNextPrompt(NoteStatus);
}

class Files : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearTestDrives();
        CopySampleInstrument("E:\\");
        StartProgram();
        Command(IDM_FILES_PAGE);
    }
    void TearDown() override
    {
        EXPECT_EQ(CloseProgram(WM_CLOSE), 0);
    }

    void CopyTo(int command, const std::string &chosen)
    {
        ScriptChoice(chosen);
        Command(command);
    }

    // Copies to a folder, to a drive root (its separator doubled) beside
    // that folder, and to a folder on the instrument; then chooses the
    // source itself, of which nothing is copied.
    void ExpectCopies(int command, const std::string &folder, const Entries &expected, const std::string &status,
                      const std::string &source)
    {
        const std::string targets[] = {"G:\\" + folder + "\\", "G:\\", "E:\\FLIGHTS\\" + folder + "\\"};
        for (const std::string &target : targets) {
            MakeFolder(target);
            CopyTo(command, target.size() > 3 ? target.substr(0, target.size() - 1) : target);
            EXPECT_EQ(StatusText(), status) << target;
            EXPECT_EQ(Tree(target, target == "G:\\" ? folder : ""), expected) << target;
        }
        std::string root = g_instrument.root.path;
        CopyTo(command, source);
        EXPECT_EQ(StatusText(), command == IDC_COPY_ALL ? " 0 Dateien in 0 Ordnern kopiert" : " 0 Dateien kopiert");
        EXPECT_EQ(g_instrument.root.path, root);
        EXPECT_TRUE(PromptsOfKind("message").empty());
    }
};

// A folder held open by another program cannot be removed: it is counted
// in a box after the Status line, and taken by the next removal.
TEST_F(Files, RemovalTakesEveryFolderLeftEmptyWhateverTheListingOrder)
{
    for (const char *folder : {"2011\\05", "chain\\x\\y\\z", "fileFirst\\b", "fileLast\\a", "dotted\\.keep", "busy\\inner"})
        MakeFolder(std::string("E:\\FLIGHTS\\") + folder);
    WriteFileBytes("E:\\FLIGHTS\\2011\\06\\a.igc", "a");
    WriteFileBytes("E:\\FLIGHTS\\fileFirst\\a.igc", "a");   // listed before the empty b
    WriteFileBytes("E:\\FLIGHTS\\fileLast\\b.igc", "b");    // listed after the empty a
    WriteFileBytes("E:\\FLIGHTS\\hidden\\h", "h");
    SetFileAttributesA("E:\\FLIGHTS\\hidden\\h", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    HANDLE held = CreateFileA("E:\\FLIGHTS\\busy\\inner", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ScriptDuringNextPrompt(NoteStatus);
    Command(IDC_REMOVE_EMPTY);
    CloseHandle(held);
    // 2011\05, the chain's four, fileFirst\b, fileLast\a and the sample's 2026\04.
    EXPECT_EQ(StatusText(), " 8 Ordner gel\xF6scht");
    EXPECT_TRUE(ShownOneWarning("1 Ordner konnten nicht gel\xF6scht werden", "Dateifehler"));
    EXPECT_EQ(g_statusAtBox, " 8 Ordner gel\xF6scht");
    EXPECT_TRUE(IsShown(IDC_FILES_ANIMATION));
    std::string left;
    for (const auto &e : Tree("E:\\FLIGHTS\\"))
        left += e.first.back() == '\\' ? e.first + " " : "";
    EXPECT_EQ(left, "2011\\ 2011\\06\\ 2025\\ 2025\\06\\ 2025\\07\\ 2026\\ 2026\\05\\ busy\\ busy\\inner\\ dotted\\ "
                    "dotted\\.keep\\ fileFirst\\ fileLast\\ hidden\\ ");
    Command(IDC_REMOVE_EMPTY);
    EXPECT_EQ(StatusText(), " 2 Ordner gel\xF6scht");
    EXPECT_EQ(PromptsOfKind("message").size(), 1u);

    // A missing FLIGHTS folder is no failure.
    ClearTestDrives();
    Command(IDC_REMOVE_EMPTY);
    EXPECT_EQ(StatusText(), " 0 Ordner gel\xF6scht");
    CopyTo(IDC_COPY_FLIGHTS, "G:\\");
    EXPECT_EQ(StatusText(), " 0 Dateien kopiert");
    EXPECT_EQ(PromptsOfKind("message").size(), 1u);
}

TEST_F(Files, FlightLogsLandSideBySideAndTheTargetIsNeverWalked)
{
    // A cancelled folder browser leaves no trace.
    std::string status = StatusText();
    Command(IDC_COPY_FLIGHTS);
    EXPECT_EQ(StatusText(), status);
    EXPECT_FALSE(IsShown(IDC_FILES_ANIMATION));

    // A log straight in FLIGHTS whose name begins with a point, two of one
    // name (y's is listed later and wins), a log in a point folder and a file
    // that is no log. Which names are logs: tests/native/flightpaths_test.cpp.
    Entries expected = Flat(Tree("E:\\FLIGHTS\\"));
    WriteFileBytes("E:\\FLIGHTS\\.log.igc", "point");
    WriteFileBytes("E:\\FLIGHTS\\x\\same.igc", "x");
    WriteFileBytes("E:\\FLIGHTS\\y\\same.igc", "y");
    WriteFileBytes("E:\\FLIGHTS\\flight.igc.txt", "no");
    WriteFileBytes("E:\\FLIGHTS\\.point\\in.igc", "no");
    expected[".log.igc"] = Digest("point");
    expected["same.igc"] = Digest("y");
    ExpectCopies(IDC_COPY_FLIGHTS, "out", expected, " 12 Dateien kopiert", "E:\\FLIGHTS");
    EXPECT_FALSE(FileExists("E:\\FLIGHTS\\same.igc"));
    EXPECT_EQ(PromptsOfKind("folder")[0].owner, Dialog());
}

TEST_F(Files, WholeInstrumentIsCopiedWithItsFoldersAndTheTargetIsNeverWalked)
{
    WriteFileBytes("E:\\.point-file", "copied");
    SetFileAttributesA("E:\\.point-file", FILE_ATTRIBUTE_READONLY);
    WriteFileBytes("E:\\.point-folder\\x", "not copied");
    Entries expected = Tree("E:\\", ".point-folder");
    // An earlier copy: its file is replaced, its folders count as copied.
    WriteFileBytes("G:\\backup\\SETUP\\setupdata.txt", "old");
    // The sample's 20 files and the point file; FLIGHTS with its six folders, SETUP, WAYPOINTS.
    ExpectCopies(IDC_COPY_ALL, "backup", expected, " 21 Dateien in 9 Ordnern kopiert", "E:\\");
    // The read-only point file keeps its attributes and its time of last change.
    WIN32_FILE_ATTRIBUTE_DATA from, to;
    ASSERT_TRUE(GetFileAttributesExA("E:\\.point-file", GetFileExInfoStandard, &from));
    ASSERT_TRUE(GetFileAttributesExA("G:\\backup\\.point-file", GetFileExInfoStandard, &to));
    EXPECT_EQ(to.dwFileAttributes, from.dwFileAttributes);
    EXPECT_EQ(CompareFileTime(&to.ftLastWriteTime, &from.ftLastWriteTime), 0);
}

// A file's bytes, time of last change and attributes in short.
static std::string Described(const std::string &path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    const FILETIME &time = data.ftLastWriteTime;
    return Digest(ReadFileBytes(path)) + " time " + std::to_string(time.dwHighDateTime) + ":" +
           std::to_string(time.dwLowDateTime) + " attributes " + std::to_string(data.dwFileAttributes);
}

// Gives a file or folder the time of last change of another, some steps of 100 ns later.
static void SetWriteTime(const std::string &path, const std::string &like, DWORD steps)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(like.c_str(), GetFileExInfoStandard, &data);
    ULARGE_INTEGER time = {{data.ftLastWriteTime.dwLowDateTime, data.ftLastWriteTime.dwHighDateTime}};
    time.QuadPart += steps;
    FILETIME written = {time.LowPart, time.HighPart};
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, NULL, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                              NULL);
    EXPECT_TRUE(SetFileTime(file, NULL, NULL, &written)) << path;
    CloseHandle(file);
}

// A repeat copy into the same target opens only what is new or changed:
// every other file of the instrument is held open for this test alone, so
// that opening one would count a failure. The Status line stays the same.
TEST_F(Files, RepeatCopiesReadOnlyWhatIsNewOrChanged)
{
    // A log grew (its time kept), one is 100 ns newer, one's copy is
    // deleted, one's copy is another, read-only file.
    const std::string grew = "FLIGHTS\\2025\\06\\2025-06-14-ZIR-0001-01.igc";
    const std::string retimed = "FLIGHTS\\2025\\07\\2025-07-05-ZIR-0001-01.igc";
    const std::string deleted = "FLIGHTS\\2026\\05\\2026-05-09-ZIR-0001-01.igc";
    const std::string readOnly = "FLIGHTS\\2025\\07\\2025-07-26-ZIR-0001-01.igc";
    const std::set<std::string> changed = {grew, retimed, deleted, readOnly};
    const struct { int command; const char *target; } cases[] = {
        {IDC_COPY_FLIGHTS, "G:\\logs\\"}, {IDC_COPY_ALL, "G:\\all\\"}};
    for (const auto &c : cases) {
        auto target = [&](const std::string &path) {
            return c.target + (c.command == IDC_COPY_ALL ? path : path.substr(path.rfind('\\') + 1));
        };
        MakeFolder(c.target);
        CopyTo(c.command, c.target);
        const std::string status = StatusText();
        WriteFileBytes("E:\\" + grew, ReadFileBytes("E:\\" + grew) + "B");
        SetWriteTime("E:\\" + grew, target(grew), 0);
        SetWriteTime("E:\\" + retimed, "E:\\" + retimed, 1);
        DeleteFileA(target(deleted).c_str());
        WriteFileBytes(target(readOnly), "other");
        SetFileAttributesA(target(readOnly).c_str(), FILE_ATTRIBUTE_READONLY);
        std::vector<HANDLE> held;
        for (const auto &e : Tree("E:\\"))
            if (e.first.back() != '\\' && !changed.count(e.first))
                held.push_back(CreateFileA(("E:\\" + e.first).c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL));
        EXPECT_EQ(ReadFileBytes("E:\\SETUP\\setupdata.txt"), "") << "not held";
        g_prompts.clear();
        CopyTo(c.command, c.target);
        for (HANDLE file : held)
            CloseHandle(file);
        EXPECT_EQ(StatusText(), status) << c.target;
        EXPECT_TRUE(PromptsOfKind("message").empty()) << c.target;
        for (const std::string &path : changed)
            EXPECT_EQ(Described(target(path)), Described("E:\\" + path)) << target(path);
    }
}

// Each failure is counted once and reported after the status text, and
// everything else is still copied. A path over 259 characters, which the
// walk never forms (fuzz_flightpaths), is one failure more of the same count.
TEST_F(Files, FailedCopiesAreCountedReportedAndLeaveNoFileUnderTheirName)
{
    // What stands in the way in the target: a folder where a log must go,
    // a file where a folder must be made.
    const struct { int command; const char *target, *name, *status; } cases[] = {
        {IDC_COPY_FLIGHTS, "folder", kLog, " 8 Dateien kopiert"},
        {IDC_COPY_ALL, "file", "SETUP", " 10 Dateien in 8 Ordnern kopiert"},
    };
    const std::string log = std::string("E:\\FLIGHTS\\2025\\06\\") + kLog;
    WriteFileBytes(log, "");
    for (const auto &c : cases) {
        std::string target = std::string("G:\\") + c.target + "\\";
        MakeFolder(c.command == IDC_COPY_FLIGHTS ? target + c.name : target);
        if (c.command == IDC_COPY_ALL)
            WriteFileBytes(target + c.name, "file");
        else   // listed with the size and time of the emptied log: still no copy of it
            SetWriteTime(target + c.name, log, 0);
        g_prompts.clear();
        ScriptDuringNextPrompt(NoteStatusAfterBrowser);
        CopyTo(c.command, target);
        EXPECT_EQ(StatusText(), c.status) << c.target;
        EXPECT_TRUE(ShownOneWarning(kCopyFailed, "Dateifehler")) << c.target;
        EXPECT_EQ(g_statusAtBox, c.status) << c.target;
        Entries expected = Tree(c.command == IDC_COPY_ALL ? "E:\\" : "E:\\FLIGHTS\\", c.name);
        if (c.command == IDC_COPY_FLIGHTS)
            expected = Flat(expected);
        expected.erase(c.name);
        EXPECT_EQ(Tree(target, c.name), expected) << c.target;
    }

    // H:\inst holds a flight log that opens but cannot be read: its copy
    // fails after the target file is opened, and leaves nothing under its name.
    ScriptChoice("H:\\inst\\SETUP\\setupdata.txt");
    Command(IDM_CHOOSE_SETUP);
    ASSERT_TRUE(FileExists("H:\\inst\\FLIGHTS\\unreadable.igc"));
    g_prompts.clear();
    CopyTo(IDC_COPY_FLIGHTS, "G:\\");
    EXPECT_EQ(StatusText(), " 0 Dateien kopiert");
    EXPECT_TRUE(ShownOneWarning(kCopyFailed, "Dateifehler"));
    EXPECT_FALSE(FileExists("G:\\unreadable.igc"));
}

// The instrument pulled in the middle of a full copy: when the first
// progress text comes up, the folder above the instrument's root is renamed
// (the root itself cannot be while the walk holds it open), and every path
// below the root then leads nowhere, as after a pulled cable.
static WNDPROC g_statusProc;
static std::string g_pulledAt;   // the file the progress text named

static LRESULT CALLBACK PullOnFirstProgress(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const char progress[] = " Kopiere Datei ";
    if (message == SB_SETTEXTA && g_pulledAt.empty() && strncmp((const char *)lParam, progress, 15) == 0) {
        g_pulledAt = (const char *)lParam + 15;
        MoveFileA("E:\\box", "E:\\gone");
    }
    return CallWindowProcA(g_statusProc, window, message, wParam, lParam);
}

// What the walk met after the pull: in each folder it was in, the entries
// listed from the one it was in (the pulled file itself included, a folder
// it had entered not), but folders whose names begin with a point. Each is
// one failure: a folder that cannot be listed is one.
static unsigned EntriesMetAfter(const std::string &folder, const std::string &pulled)
{
    size_t end = pulled.find('\\');
    std::string component = pulled.substr(0, end);
    unsigned met = 0;
    bool after = false;
    for (const WIN32_FIND_DATAA &entry : ListFolder(folder)) {
        after = after || entry.cFileName == component;
        if (after && !(IsFolder(entry) && entry.cFileName[0] == '.'))
            met++;
    }
    if (end == std::string::npos)
        return met;
    return met - 1 + EntriesMetAfter(folder + component + "\\", pulled.substr(end + 1));
}

TEST_F(Files, InstrumentPulledDuringTheFullCopyIsReportedAndLeavesOnlyWholeFiles)
{
    // One log a folder, where one failed folder once counted nothing.
    MakeFolder("E:\\box\\inst");
    CopySampleInstrument("E:\\box\\inst\\");
    for (int i = 0; i < 12; i++)
        WriteFileBytes("E:\\box\\inst\\FLIGHTS\\zz" + std::to_string(10 + i) + "\\a.igc", std::string(5000 + i, 'B'));
    ScriptChoice("E:\\box\\inst\\SETUP\\setupdata.txt");
    Command(IDM_CHOOSE_SETUP);
    ASSERT_STREQ(g_instrument.root.path, "E:\\box\\inst\\");
    g_statusProc = (WNDPROC)SetWindowLongPtrA(Control(IDC_STATUS), GWLP_WNDPROC, (LONG_PTR)PullOnFirstProgress);
    MakeFolder("G:\\backup");
    g_prompts.clear();
    CopyTo(IDC_COPY_ALL, "G:\\backup");
    SetWindowLongPtrA(Control(IDC_STATUS), GWLP_WNDPROC, (LONG_PTR)g_statusProc);
    ASSERT_FALSE(FileExists("E:\\box")) << "the instrument was not pulled";
    ASSERT_EQ(g_pulledAt.compare(0, 12, "E:\\box\\inst\\"), 0) << g_pulledAt;

    // Every file in the target is whole, and the Status line counts them.
    unsigned files = 0;
    for (const auto &e : Tree("G:\\backup\\")) {
        if (e.first.back() == '\\')
            continue;
        files++;
        EXPECT_EQ(e.second, Digest(ReadFileBytes("E:\\gone\\inst\\" + e.first))) << e.first;
    }
    unsigned copied = 0, folders = 0;
    EXPECT_EQ(sscanf(StatusText().c_str(), " %u Dateien in %u Ordnern kopiert", &copied, &folders), 2);
    EXPECT_EQ(copied, files);
    unsigned met = EntriesMetAfter("E:\\gone\\inst\\", g_pulledAt.substr(12));
    EXPECT_GE(met, 14u);   // the rest of FLIGHTS at least, SETUP and WAYPOINTS
    EXPECT_TRUE(ShownOneWarning(std::to_string(met) + " Dateien oder Ordner konnten nicht kopiert werden",
                                "Dateifehler"));
    EXPECT_NE(SendMessageTimeoutA(Dialog(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, NULL), 0);

    // Pulled before the button is pressed: nothing copied, and said so.
    g_prompts.clear();
    CopyTo(IDC_COPY_ALL, "G:\\backup");
    EXPECT_EQ(StatusText(), " 0 Dateien in 0 Ordnern kopiert");
    EXPECT_TRUE(ShownOneWarning(kCopyFailed, "Dateifehler"));
}
