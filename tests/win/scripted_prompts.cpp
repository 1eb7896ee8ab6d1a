// Scripted modal prompts for the tests.
#include "tests/win/scripted_prompts.h"

#include <deque>

#include "ui/prompts.h"

std::vector<PromptCall> g_prompts;
struct Choice {
    std::string path;
    DWORD type;
};
static std::deque<Choice> g_choices;
static std::deque<int> g_answers;
static void (*g_duringPrompt)();

void ScriptChoice(const std::string &path, DWORD type)
{
    g_choices.push_back(Choice{path, type});
}

void ScriptAnswer(int answer)
{
    g_answers.push_back(answer);
}

void ScriptDuringNextPrompt(void (*action)())
{
    g_duringPrompt = action;
}

// Records a prompt and runs what was scripted to happen while it is open.
static void Record(const PromptCall &call)
{
    g_prompts.push_back(call);
    void (*action)() = g_duringPrompt;
    g_duringPrompt = nullptr;
    if (action)
        action();
}

std::vector<PromptCall> PromptsOfKind(const std::string &kind)
{
    std::vector<PromptCall> found;
    for (const PromptCall &call : g_prompts)
        if (call.kind == kind)
            found.push_back(call);
    return found;
}

static Choice NextChoice()
{
    if (g_choices.empty())
        return Choice{"", 0};
    Choice choice = g_choices.front();
    g_choices.pop_front();
    return choice;
}

int ShowMessageBox(HWND owner, const char *text, const char *caption, UINT type)
{
    Record({"message", owner, text, caption ? caption : "", type, 0, 0});
    if (!g_answers.empty()) {
        int answer = g_answers.front();
        g_answers.pop_front();
        return answer;
    }
    return (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
}

static BOOL AnswerFileDialog(const char *kind, OPENFILENAMEA *dialog)
{
    Record({kind, dialog->hwndOwner, "", dialog->lpstrTitle ? dialog->lpstrTitle : "", 0, dialog->nFilterIndex,
            dialog->Flags});
    Choice choice = NextChoice();
    if (choice.path.empty() || choice.path.size() >= dialog->nMaxFile)
        return FALSE;
    lstrcpynA(dialog->lpstrFile, choice.path.c_str(), dialog->nMaxFile);
    if (choice.type != 0)
        dialog->nFilterIndex = choice.type;
    return TRUE;
}

BOOL ShowOpenFileDialog(OPENFILENAMEA *dialog)
{
    return AnswerFileDialog("open", dialog);
}

BOOL ShowSaveFileDialog(OPENFILENAMEA *dialog)
{
    return AnswerFileDialog("save", dialog);
}

bool BrowseForFolder(BROWSEINFOA *browse, char *path)
{
    Record({"folder", browse->hwndOwner, "", browse->lpszTitle ? browse->lpszTitle : "", 0, 0, 0});
    std::string choice = NextChoice().path;
    if (choice.empty() || choice.size() >= MAX_PATH)
        return false;
    lstrcpynA(path, choice.c_str(), MAX_PATH);
    return true;
}
