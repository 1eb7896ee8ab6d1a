// The about document: found among the program's resources and handed to the
// rich-edit control piece by piece (app/aboutstream.cpp).
#include "app/about.h"

#include <stdio.h>
#include <windows.h>
#include <richedit.h>

#include "app/aboutstream.h"
#include "ui/resource.h"
#include "ui/shell.h"
#include "ui/texts.h"

static AboutStream g_about;

static void FindAboutDocument(int resourceNumber)
{
    char name[16];
    snprintf(name, sizeof name, "#%d", resourceNumber);
    HRSRC found = FindResourceA(g_shell.instance, name, RT_RCDATA);
    if (!found)
        return;
    HGLOBAL resource = LoadResource(g_shell.instance, found);
    DWORD size = SizeofResource(g_shell.instance, found);
    AttachAboutDocument(&g_about, resource, resource && size ? LockResource(resource) : NULL, size);
}

static void ReleaseAboutDocument()
{
    FreeResource((HGLOBAL)g_about.resource);
    ForgetAboutDocument(&g_about);
}

// The control calls this until it gets 0 bytes or a nonzero result.
static DWORD CALLBACK ReadAboutPiece(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG *delivered)
{
    if (AboutStreamWantsDocument(&g_about))
        FindAboutDocument((int)cookie);
    int32_t piece = 0;
    int result = NextAboutPiece(&g_about, buffer, count, &piece);
    *delivered = piece;
    if (AboutDocumentToRelease(&g_about))
        ReleaseAboutDocument();
    return (DWORD)result;
}

DWORD LoadAboutDocument(HWND control, int resourceNumber)
{
    // A stream that ended early still holds its document.
    if (g_about.resource)
        ReleaseAboutDocument();
    ResetAboutStream(&g_about);
    EDITSTREAM stream = {};
    stream.dwCookie = (DWORD_PTR)resourceNumber;
    stream.pfnCallback = ReadAboutPiece;
    SendMessageA(control, EM_STREAMIN, SF_RTF, (LPARAM)&stream);
    return stream.dwError;
}

// The language whose document the control holds; the dialog's
// initialisation streams in the German one.
static int g_aboutLanguage = TEXTS_GERMAN;

void ShowAboutDocumentIn(int language)
{
    if (language == g_aboutLanguage)
        return;
    g_aboutLanguage = language;
    LoadAboutDocument(GetDlgItem(g_shell.dialog, IDC_ABOUT), language == TEXTS_GERMAN ? IDR_ABOUT : IDR_ABOUT_ENGLISH);
}
