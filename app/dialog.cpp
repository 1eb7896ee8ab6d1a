// Start-up and the main dialog: its initialisation, its closing and the
// dispatch of every message and command to the operation that handles it.
#include <windows.h>
#include <commctrl.h>
#include <dbt.h>

#include "app/dialog.h"
#include "app/about.h"
#include "app/instrument.h"
#include "app/preview.h"
#include "flights/filepage.h"
#include "flights/flightbook.h"
#include "flights/flightview.h"
#include "pilot/pilotpage.h"
#include "settings/settingspages.h"
#include "ui/pages.h"
#include "ui/resource.h"
#include "ui/shell.h"
#include "ui/status.h"
#include "waypoints/importpage.h"
#include "waypoints/waypointpage.h"

Shell g_shell;

// The credit font and the pilot font differ only in height.
static HFONT CreateArialBold(LONG height)
{
    LOGFONTA font = {};
    font.lfHeight = height;
    font.lfWeight = FW_BOLD;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = PROOF_QUALITY;
    lstrcpynA(font.lfFaceName, "Arial", LF_FACESIZE);
    return CreateFontIndirectA(&font);
}

static BOOL OnInitDialog(HWND dialog)
{
    g_shell.dialog = dialog;
    // The control keeps the document for the whole run; the page switch only
    // shows or hides it. A missing document leaves it empty.
    LoadAboutDocument(GetDlgItem(dialog, IDC_ABOUT), IDR_ABOUT);
    // German until an instrument is loaded.
    ShowTextsInLanguage(0);
    g_shell.creditFont = CreateArialBold(14);
    g_shell.pilotFont = CreateArialBold(20);
    GetClientRect(dialog, &g_shell.pageArea);
    CreateToolbar();
    CreateStatusLine();
    CreateFlightBookColumns();
    CreateImportColumns();
    // The toolbar and the Status line lie outside the page area.
    g_shell.pageArea.top += 32;
    g_shell.pageArea.bottom -= 32;
    ShowWindow(dialog, SW_SHOW);
    // Detection runs before initialisation ends, with the dialog visible,
    // so that a message box it shows has the dialog as its owner.
    SendMessageA(dialog, WM_DETECT_INSTRUMENT, 0, 0);
    return TRUE;
}

static void CloseMainDialog(INT_PTR result)
{
    DeleteObject(g_shell.creditFont);
    DeleteObject(g_shell.pilotFont);
    EndDialog(g_shell.dialog, result);
}

// "Speichern" of a settings page. A new language relabels the program
// before the file is written, so that the Status line and a failure's box
// speak it. A save that failed stays on the page, to be tried again.
static void SaveSettingsPage(bool page1)
{
    Settings *settings = &g_instrument.settings;
    if (page1 ? TakeSettingsPage1(settings) : (TakeSettingsPage2(settings), false))
        LoadLanguageOfInstrument();
    if (WriteSetupFile(&g_instrument.root, settings))
        ShowPage(PAGE_PREVIEW);
}

// The flight book's selected flight on page 10, in the instrument's units;
// false when no row is selected.
static bool ViewFlight()
{
    return ViewSelectedFlight(&g_instrument.root, g_instrument.settings.Unit);
}

// Enter (IDOK) on the flight book's list with a row selected views that
// flight; anywhere else it ends the program.
static void OnEnter()
{
    if (g_page == PAGE_FLIGHTBOOK && GetFocus() == GetDlgItem(g_shell.dialog, IDC_BOOK_LIST) && ViewFlight())
        return;
    CloseMainDialog(1);
}

// Returns TRUE for every command the program knows, whatever its outcome.
static BOOL OnCommand(WORD id)
{
    const DeviceRoot *root = &g_instrument.root;
    switch (id) {
    case IDOK:                 OnEnter(); break;
    case IDM_CHOOSE_SETUP:     ChooseSetupFile(); break;
    case IDM_PILOT_PAGE:       ShowPage(PAGE_PILOT); break;
    case IDM_SETTINGS1_PAGE:   ShowPage(PAGE_SETTINGS1); break;
    case IDM_SETTINGS2_PAGE:   ShowPage(PAGE_SETTINGS2); break;
    case IDM_FILES_PAGE:       ShowPage(PAGE_FILES); break;
    case IDM_WAYPOINTS_PAGE:   AnalyseWaypointStore(root); break;
    case IDM_ABOUT_PAGE:       ShowPage(PAGE_ABOUT); break;
    case IDM_FLIGHTBOOK_PAGE:  ShowFlightBook(root); break;
    case IDM_IMPORT_PAGE:      ShowImportPage(root); break;
    case IDC_PILOT_CANCEL:     CancelPilotEdits(&g_instrument.pilot); break;
    case IDC_PILOT_SAVE:       SavePilotData(root, &g_instrument.pilot); break;
    case IDC_S1_CANCEL:        CancelSettingsPage1(&g_instrument.settings); break;
    case IDC_S1_SAVE:          SaveSettingsPage(true); break;
    case IDC_S2_CANCEL:        CancelSettingsPage2(&g_instrument.settings); break;
    case IDC_S2_SAVE:          SaveSettingsPage(false); break;
    case IDC_REMOVE_EMPTY:     RemoveEmptyFlightFolders(root); break;
    case IDC_COPY_FLIGHTS:     CopyFromInstrument(root, false); break;
    case IDC_COPY_ALL:         CopyFromInstrument(root, true); break;
    case IDC_FILES_CLOSE:      ShowPage(PAGE_PREVIEW); break;
    case IDC_EXPORT_WAYPOINTS: ExportWaypoints(root, 1, 1); break;
    case IDC_EXPORT_DELETED:   ExportWaypoints(root, 0, 0); break;
    case IDC_EXPORT_THERMALS:  ExportWaypoints(root, 2, 5); break;
    case IDC_WP_BACK:          ShowPage(PAGE_PREVIEW); break;
    case IDC_BOOK_SAVE:        SaveFlightBook(); break;
    case IDC_BOOK_BACK:        ShowPage(PAGE_PREVIEW); break;
    case IDC_BOOK_VIEW:        ViewFlight(); break;
    case IDC_FLIGHT_BACK:      ReturnToFlightBook(); break;
    case IDC_IMPORT_ADD:       ChooseImportMode(root, IMPORT_ADD); break;
    case IDC_IMPORT_REPLACE:   ChooseImportMode(root, IMPORT_REPLACE); break;
    case IDC_IMPORT_OPEN:      OpenWaypointFile(root); break;
    case IDC_IMPORT_WRITE:     WriteImportedWaypoints(root); break;
    case IDC_IMPORT_RESTORE:   RestoreWaypointBackup(root); break;
    case IDC_IMPORT_BACK:      ShowPage(PAGE_PREVIEW); break;
    default:                   return FALSE;
    }
    return TRUE;
}

// The lists ask for their texts. On the flight book's, a click on a header
// sorts it and a double-click on a row views its flight.
static BOOL OnNotify(NMHDR *header)
{
    if (header->idFrom == IDC_IMPORT_LIST && header->code == LVN_GETDISPINFOA) {
        GiveImportText(&((NMLVDISPINFOA *)header)->item);
        return TRUE;
    }
    if (header->idFrom != IDC_BOOK_LIST)
        return FALSE;
    if (header->code == LVN_GETDISPINFOA)
        GiveFlightBookText(&((NMLVDISPINFOA *)header)->item);
    else if (header->code == LVN_COLUMNCLICK)
        SortFlightBook(((const NMLISTVIEW *)header)->iSubItem);
    else if (header->code == LVN_ITEMCHANGED || header->code == LVN_ODSTATECHANGED)
        UpdateFlightButton();
    else if (header->code == NM_DBLCLK && ((const NMITEMACTIVATE *)header)->iItem >= 0)
        ViewFlight();
    else
        return FALSE;
    return TRUE;
}

// Windows tells every top-level window of a new device. Only a volume can
// be the instrument.
static void OnDeviceArrival(LPARAM data)
{
    const DEV_BROADCAST_HDR *header = (const DEV_BROADCAST_HDR *)data;
    if (header && header->dbch_devicetype == DBT_DEVTYP_VOLUME)
        LoadArrivedInstrument(((const DEV_BROADCAST_VOLUME *)header)->dbcv_unitmask);
}

static INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_PAINT:
        return Paint();
    case WM_CLOSE:
        CloseMainDialog(0);
        return TRUE;
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam));
    case WM_NOTIFY:
        return OnNotify((NMHDR *)lParam);
    case WM_DRAWITEM:
        if (wParam != IDC_FLIGHT_PICTURE)
            return FALSE;
        PaintFlightPictures((const DRAWITEMSTRUCT *)lParam);
        return TRUE;
    case WM_MOUSEMOVE:
        PointAtFlight((short)LOWORD(lParam), (short)HIWORD(lParam));
        return TRUE;
    case WM_MOUSELEAVE:
        StopPointingAtFlight();
        return TRUE;
    case WM_HSCROLL:
        HandleSettingsScroll(wParam, lParam);
        return TRUE;
    case WM_DETECT_INSTRUMENT:
        DetectInstrument();
        return TRUE;
    case WM_DEVICECHANGE:
        // Other events (removal queries among them) keep their default answer.
        if (wParam != DBT_DEVICEARRIVAL)
            return FALSE;
        OnDeviceArrival(lParam);
        return TRUE;
    }
    return FALSE;
}

int RunTolmaro(HINSTANCE instance)
{
    g_shell.instance = instance;
    SetDefaultSettings(&g_instrument.settings);
    InitCommonControls();
    LoadLibraryA("riched32.dll");
    // Probing drives without a medium must not raise system error boxes.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

    // The program's window class is the system dialog class under its own
    // name, with the program's icon.
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    if (!GetClassInfoExA(NULL, MAKEINTATOM(32770), &windowClass))
        return 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TOLMARO));
    windowClass.lpszClassName = "Tolmaro";
    if (!RegisterClassExA(&windowClass))
        return 0;

    char modulePath[MAX_PATH] = "";
    GetModuleFileNameA(instance, modulePath, sizeof modulePath);
    StartAtProgramDrive(modulePath);

    return (int)DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), NULL, MainDialogProc, 0);
}
