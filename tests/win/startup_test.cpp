// The main dialog's frame: its controls, toolbar, Status line and closing.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "app/resource.h"
#include "settings/devicedata.h"
#include "tests/win/harness.h"
#include "tests/win/scripted_prompts.h"

struct ControlSpec {
    int id;
    const char *className;
    const char *caption;
    int x, y, width, height;
};

// Every control of the dialog template, in dialog units.
static const ControlSpec kControls[] = {
    {5000, "Button", "", 12, 24, 216, 236},
    {5100, "Static", "PILOTENDATEN", 72, 60, 100, 16},
    {5101, "Static", "IGC-ID", 24, 88, 80, 8},
    {5102, "Edit", "", 116, 88, 100, 12},
    {5103, "Static", "Pilot", 24, 108, 80, 8},
    {5104, "Edit", "", 116, 108, 100, 12},
    {5105, "Static", "Glider", 24, 128, 80, 8},
    {5106, "Edit", "", 116, 128, 100, 12},
    {5107, "Static", "Class", 24, 148, 80, 8},
    {5108, "ComboBox", "", 116, 148, 100, 72},
    {5109, "Button", "Abbruch", 24, 172, 80, 14},
    {5110, "Button", "Speichern", 136, 172, 80, 14},
    {5200, "Static", "", 71, 30, 100, 16},
    {5201, "Static", "", 71, 56, 100, 16},
    {5202, "Static", "", 24, 80, 80, 8},
    {5203, "ComboBox", "", 116, 80, 100, 72},
    {5204, "Static", "", 24, 104, 80, 8},
    {5205, "Static", "", 116, 104, 28, 12},
    {5206, "ScrollBar", "", 152, 104, 64, 10},
    {5207, "Static", "", 24, 120, 80, 8},
    {5208, "Static", "", 116, 120, 28, 12},
    {5209, "ScrollBar", "", 152, 120, 64, 10},
    {5210, "Static", "", 24, 140, 80, 8},
    {5211, "ComboBox", "", 116, 140, 100, 72},
    {5212, "Static", "", 24, 160, 80, 8},
    {5213, "ComboBox", "", 116, 160, 100, 72},
    {5214, "Static", "", 24, 180, 80, 8},
    {5215, "ComboBox", "", 116, 180, 100, 72},
    {5216, "Static", "", 24, 200, 80, 8},
    {5217, "ComboBox", "", 116, 200, 100, 72},
    {5218, "Button", "Abbruch", 24, 224, 80, 14},
    {5219, "Button", "Speichern", 136, 224, 80, 14},
    {5300, "Static", "", 72, 38, 100, 16},
    {5301, "Static", "", 72, 64, 100, 16},
    {5302, "Static", "", 24, 92, 80, 8},
    {5303, "Static", "", 116, 92, 28, 12},
    {5304, "ScrollBar", "", 152, 92, 64, 10},
    {5305, "Static", "", 24, 112, 80, 8},
    {5306, "Static", "", 116, 112, 28, 12},
    {5307, "ScrollBar", "", 152, 112, 64, 10},
    {5308, "Static", "", 24, 132, 80, 8},
    {5309, "Static", "", 116, 132, 28, 12},
    {5310, "ScrollBar", "", 152, 132, 64, 10},
    {5311, "Static", "", 24, 152, 80, 8},
    {5312, "Static", "", 116, 152, 28, 12},
    {5313, "ScrollBar", "", 152, 152, 64, 10},
    {5314, "Static", "", 24, 172, 80, 8},
    {5315, "Static", "", 116, 172, 28, 12},
    {5316, "ScrollBar", "", 152, 172, 64, 10},
    {5317, "Static", "", 24, 192, 80, 8},
    {5318, "Static", "", 116, 192, 28, 12},
    {5319, "ScrollBar", "", 152, 192, 64, 10},
    {5320, "Button", "Abbruch", 24, 216, 80, 14},
    {5321, "Button", "Speichern", 136, 216, 80, 14},
    {5400, "Static", "Dateiverwaltung", 72, 60, 100, 16},
    {5401, "Button", "Leere ZELTO Verzeichnisse l\xF6schen", 36, 88, 172, 16},
    {5402, "Button", "IGC-Dateien ( ZELTO ) kopieren", 36, 112, 172, 16},
    {5403, "Button", "Alle Daten kopieren", 36, 136, 172, 16},
    {5404, "Button", "Beenden", 80, 168, 80, 16},
    {5405, "SysAnimate32", "", 36, 208, 172, 24},
    {5500, "Static", "Wege- und Thermikpunkte", 48, 28, 144, 16},
    {5501, "Static", "Wegepunkte genutzt", 48, 64, 96, 8},
    {5502, "Static", "0", 152, 64, 40, 12},
    {5503, "Static", "Wegepunkte gel\xF6scht", 48, 80, 96, 8},
    {5504, "Static", "0", 152, 80, 40, 12},
    {5505, "Static", "Thermikpunkte", 48, 96, 96, 8},
    {5506, "Static", "0", 152, 96, 40, 12},
    {5507, "Button", "Wegepunkte exportieren", 36, 128, 172, 16},
    {5508, "Button", "Gel\xF6schte Punkte exportieren", 36, 152, 172, 16},
    {5509, "Button", "Thermikpunkte exportieren", 36, 176, 172, 16},
    {5510, "Button", "Zur\xFC" "ck", 80, 208, 80, 14},
    {5511, "SysAnimate32", "", 36, 236, 172, 24},
    {5600, "RICHEDIT", "", 12, 24, 216, 236},
};

// The dialog units of the template's font, Arial 10 points, as the dialog
// manager computes them (MapDialogRect works only on the dialog's thread).
static SIZE DialogBaseUnits()
{
    HDC screen = GetDC(NULL);
    LOGFONTA description = {};
    description.lfHeight = -MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72);
    description.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(description.lfFaceName, "Arial", LF_FACESIZE);
    HFONT font = CreateFontIndirectA(&description);
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICA metrics;
    GetTextMetricsA(screen, &metrics);
    SIZE letters;
    GetTextExtentPoint32A(screen, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(NULL, screen);
    SIZE base = {(letters.cx / 26 + 1) / 2, metrics.tmHeight};
    return base;
}

class Frame : public ::testing::Test {
protected:
    void SetUp() override { ClearTestDrives(); }
};

TEST_F(Frame, DialogHasAllControlsAtTheirPlacesHiddenButTheFrame)
{
    StartProgram();
    ASSERT_EQ(sizeof kControls / sizeof kControls[0], 73u);
    char title[100];
    GetWindowTextA(Dialog(), title, sizeof title);
    EXPECT_STREQ(title, "Tolmaro, das Zirkano 2.0 Tool");
    char className[100];
    GetClassNameA(Dialog(), className, sizeof className);
    EXPECT_STREQ(className, "Tolmaro");
    EXPECT_TRUE(IsWindowVisible(Dialog()));

    SIZE base = DialogBaseUnits();
    for (const ControlSpec &spec : kControls) {
        SCOPED_TRACE(spec.id);
        HWND control = Control(spec.id);
        ASSERT_NE(control, nullptr);
        GetClassNameA(control, className, sizeof className);
        EXPECT_STRCASEEQ(className, spec.className);
        // The pilot heading comes from the language file, the about page holds its document.
        if (strcmp(spec.className, "ComboBox") != 0 && spec.id != 5100 && spec.id != IDC_ABOUT) {
            EXPECT_EQ(ControlText(spec.id), spec.caption);
        }
        // The dialog manager converts position and size each on its own.
        RECT expected = {MulDiv(spec.x, base.cx, 4), MulDiv(spec.y, base.cy, 8), 0, 0};
        expected.right = expected.left + MulDiv(spec.width, base.cx, 4);
        expected.bottom = expected.top + MulDiv(spec.height, base.cy, 8);
        RECT actual;
        GetWindowRect(control, &actual);
        MapWindowPoints(NULL, Dialog(), (POINT *)&actual, 2);
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.top, expected.top);
        EXPECT_EQ(actual.right - actual.left, expected.right - expected.left);
        if (strcmp(spec.className, "ComboBox") != 0) {
            EXPECT_EQ(actual.bottom - actual.top, expected.bottom - expected.top);
        }
        EXPECT_EQ(IsShown(spec.id), spec.id == IDC_PREVIEW_FRAME);
    }
    // Export buttons wait for an analysis; all other controls are enabled.
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_EXPORT_WAYPOINTS)));
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_EXPORT_DELETED)));
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_EXPORT_THERMALS)));
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_PILOT_SAVE)));
    // Styles that decide behaviour: drop-down lists, no default button.
    EXPECT_EQ(GetWindowLongA(Control(IDC_CLASS), GWL_STYLE) & 3, CBS_DROPDOWN);
    EXPECT_EQ(GetWindowLongA(Control(IDC_PILOT_SAVE), GWL_STYLE) & 0xF, BS_PUSHBUTTON);
    EXPECT_TRUE(GetWindowLongA(Control(IDC_ABOUT), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(CloseProgram(WM_CLOSE), 0);
}

TEST_F(Frame, CloseBoxEndsWithZero)
{
    StartProgram();
    EXPECT_EQ(CloseProgram(WM_CLOSE), 0);
}

TEST_F(Frame, EnterEndsWithOneAndEscapeDoesNothing)
{
    StartProgram();
    EXPECT_EQ(Send(WM_COMMAND, IDCANCEL), FALSE);
    EXPECT_TRUE(IsWindow(Dialog()));
    // Enter in an edit field of the pilot page reaches the dialog as IDOK.
    SetFocus(Control(IDC_PILOT));
    EXPECT_EQ(CloseProgram(WM_COMMAND, IDOK), 1);
}

TEST_F(Frame, DialogProcedureHandlesOnlyItsMessagesAndCommands)
{
    StartProgram();
    DLGPROC procedure = (DLGPROC)GetWindowLongPtrA(Dialog(), DWLP_DLGPROC);
    ASSERT_NE(procedure, nullptr);
    EXPECT_EQ(procedure(Dialog(), WM_COMMAND, 4711, 0), FALSE);
    EXPECT_EQ(procedure(Dialog(), WM_COMMAND, IDCANCEL, 0), FALSE);
    EXPECT_EQ(procedure(Dialog(), WM_USER + 100, 0, 0), FALSE);
    EXPECT_EQ(procedure(Dialog(), WM_TIMER, 1, 0), FALSE);
    // A handled command returns TRUE whatever its outcome: a page switch,
    // a cancelled file choice, a scroll message of no settings bar.
    EXPECT_EQ(procedure(Dialog(), WM_COMMAND, MAKEWPARAM(IDM_ABOUT_PAGE, BN_CLICKED), 0), TRUE);
    EXPECT_EQ(procedure(Dialog(), WM_COMMAND, IDM_CHOOSE_SETUP, 0), TRUE);
    EXPECT_EQ(procedure(Dialog(), WM_HSCROLL, SB_LINELEFT, 0), TRUE);
    EXPECT_EQ(CloseProgram(WM_CLOSE), 0);
}

TEST_F(Frame, StatusLineSpansTheDialogWithOnePart)
{
    StartProgram();
    HWND status = Control(IDC_STATUS);
    ASSERT_NE(status, nullptr);
    int parts[4] = {};
    EXPECT_EQ(SendMessageA(status, SB_GETPARTS, 4, (LPARAM)parts), 1);
    RECT client;
    GetClientRect(Dialog(), &client);
    EXPECT_EQ(parts[0], client.right);
    EXPECT_TRUE(IsWindowVisible(status));
    CloseProgram(WM_CLOSE);
}

TEST_F(Frame, ToolbarHasSevenImageButtonsWithOnlyChoiceAndAboutEnabled)
{
    StartProgram();
    HWND toolbar = Control(IDC_TOOLBAR);
    ASSERT_NE(toolbar, nullptr);
    EXPECT_TRUE(IsWindowVisible(toolbar));
    EXPECT_TRUE(GetWindowLongA(toolbar, GWL_STYLE) & TBSTYLE_FLAT);
    EXPECT_TRUE(GetWindowLongA(toolbar, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    ASSERT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 7);
    for (int i = 0; i < 7; i++) {
        TBBUTTON button = {};
        ASSERT_TRUE(SendMessageA(toolbar, TB_GETBUTTON, i, (LPARAM)&button));
        EXPECT_EQ(button.iBitmap, i);
        EXPECT_EQ(button.idCommand, IDM_CHOOSE_SETUP + i);
        EXPECT_EQ(button.fsStyle, TBSTYLE_BUTTON);
        EXPECT_EQ(ToolbarButtonEnabled(i), i == 0 || i == 6) << i;
    }
    CloseProgram(WM_CLOSE);
}

TEST_F(Frame, WithoutInstrumentOneWarningAndTheListsAreFilled)
{
    StartProgram();
    EXPECT_TRUE(ShownOneWarning("Bitte Verzeichnis ausw\xE4hlen", "Zirkano 2.0 nicht gefunden!"));
    EXPECT_EQ(StatusText(), " Suche Zirkano 2.0 Laufwerk");
    // Without a load the settings keep the defaults they start with.
    EXPECT_EQ(g_settings.AirspaceWarnDistance, 1000);
    EXPECT_EQ(g_settings.Integralzeit, 3);

    ASSERT_EQ(ComboCount(IDC_FIELD1), 17);
    ASSERT_EQ(ComboCount(IDC_FIELD2), 17);
    EXPECT_EQ(ComboItem(IDC_FIELD1, 0), "Time");
    EXPECT_EQ(ComboItem(IDC_FIELD2, 2), "*AGL");
    EXPECT_EQ(ComboItem(IDC_FIELD2, 16), "Empty Field");
    ASSERT_EQ(ComboCount(IDC_CLASS), 8);
    EXPECT_EQ(ComboItem(IDC_CLASS, 0), "<>");
    EXPECT_EQ(ComboItem(IDC_CLASS, 7), "HG (Fun Cup)");
    EXPECT_TRUE(ToolbarButtonEnabled(0));
    EXPECT_FALSE(ToolbarButtonEnabled(1));
    CloseProgram(WM_CLOSE);
}
