// Scripted answers for the modal prompts, linked into the tests in place of
// the real message boxes and file dialogs; every prompt is recorded.
#ifndef TOLMARO_SCRIPTED_PROMPTS_H
#define TOLMARO_SCRIPTED_PROMPTS_H

#include <windows.h>

#include <string>
#include <vector>

struct PromptCall {
    std::string kind;       // "message", "open", "save" or "folder"
    HWND owner;
    std::string text;       // message text
    std::string caption;    // message caption or dialog title
    UINT type;              // message box type
    DWORD fileType;         // file dialogs: the type preselected (1-based)
    DWORD flags;
};

// Everything prompted so far, in order.
extern std::vector<PromptCall> g_prompts;

// The next file or folder dialog chooses this path, a file dialog under the
// given type (1-based; 0 keeps the preselected one); an empty path cancels.
// Without a scripted answer a dialog is cancelled.
void ScriptChoice(const std::string &path, DWORD type = 0);

// The answer of the next message box; without one a yes/no box answers
// IDYES and any other IDOK.
void ScriptAnswer(int answer);

// Runs an action while the next prompt is open, as a message that arrives
// during a modal box or dialog is handled.
void ScriptDuringNextPrompt(void (*action)());

// Prompts of the given kind so far.
std::vector<PromptCall> PromptsOfKind(const std::string &kind);

#endif
