// The settings pages: labelling them in the instrument's language, the bars
// and lists, and saving or throwing away what was changed on them.
#include "settings/settingspages.h"

#include <stdio.h>

#include "device/devpath.h"
#include "device/stream.h"
#include "settings/labels.h"
#include "settings/language.h"
#include "settings/scrollrules.h"
#include "ui/pages.h"
#include "ui/prompts.h"
#include "ui/resource.h"
#include "ui/shell.h"
#include "ui/status.h"
#include "ui/texts.h"

// The numeric settings, each shown in a value box beside its bar.
enum BarValue {
    BAR_LAUTSTAERKE,
    BAR_CONTRAST,
    BAR_SINKTON,        // in tenths, shown negated
    BAR_STEIGTON,       // in tenths
    BAR_TIMEOFFSET,     // signed
    BAR_TRACKINTERVAL,
    BAR_INTEGRALZEIT,
    BAR_AIRSPACE,
    BAR_COUNT
};

struct SettingsBar {
    int bar;
    int valueBox;
    ScrollRule rule;
};

static const SettingsBar kBars[BAR_COUNT] = {
    {IDC_VOLUME_BAR, IDC_VOLUME_VALUE, {0, 8, 1, 2}},
    {IDC_CONTRAST_BAR, IDC_CONTRAST_VALUE, {0, 24, 1, 4}},
    {IDC_SINK_BAR, IDC_SINK_VALUE, {0, 50, 1, 5}},
    {IDC_CLIMB_BAR, IDC_CLIMB_VALUE, {0, 50, 1, 5}},
    {IDC_TIMEOFFSET_BAR, IDC_TIMEOFFSET_VALUE, {-12, 13, 1, 6}},
    {IDC_TRACK_BAR, IDC_TRACK_VALUE, {1, 60, 1, 10}},
    {IDC_INTEGRAL_BAR, IDC_INTEGRAL_VALUE, {1, 60, 1, 10}},
    {IDC_AIRSPACE_BAR, IDC_AIRSPACE_VALUE, {0, 10000, 100, 500}},
};

static const char kSetupFolder[] = "SETUP\\";

// The settings are written here first and take the old file's place only
// when complete, so that a failed save never leaves a truncated file.
static const char kSetupTempName[] = "SETUP\\setupdata.new";

// The values the bars and value boxes show, from the load or the last save
// or cancel on; the Settings record takes them on "Speichern".
static WorkingValues g_working;

// The working value of a bar, in the bar's own units.
static int BarPosition(int which)
{
    switch (which) {
    case BAR_LAUTSTAERKE:   return g_working.Lautstaerke;
    case BAR_CONTRAST:      return g_working.Contrast;
    case BAR_SINKTON:       return ToTenths(g_working.Sinkton);
    case BAR_STEIGTON:      return ToTenths(g_working.Steigton);
    case BAR_TIMEOFFSET:    return g_working.Timeoffset;
    case BAR_TRACKINTERVAL: return g_working.Trackinterval;
    case BAR_INTEGRALZEIT:  return g_working.Integralzeit;
    default:                return g_working.AirspaceWarnDistance;
    }
}

static void SetBarPosition(int which, int value)
{
    switch (which) {
    case BAR_LAUTSTAERKE:   g_working.Lautstaerke = (uint8_t)value; break;
    case BAR_CONTRAST:      g_working.Contrast = (uint8_t)value; break;
    case BAR_SINKTON:       g_working.Sinkton = (float)(value / 10.0); break;
    case BAR_STEIGTON:      g_working.Steigton = (float)(value / 10.0); break;
    case BAR_TIMEOFFSET:    g_working.Timeoffset = value; break;
    case BAR_TRACKINTERVAL: g_working.Trackinterval = (uint8_t)value; break;
    case BAR_INTEGRALZEIT:  g_working.Integralzeit = (uint8_t)value; break;
    default:                g_working.AirspaceWarnDistance = (uint16_t)value; break;
    }
}

// A threshold with one decimal; the sink threshold with its minus sign, so
// that zero reads "-0.0" as the instrument writes it.
static void ShowThreshold(int valueBox, double value)
{
    char text[32];
    snprintf(text, sizeof text, "%.1f", value);
    SetDlgItemTextA(g_shell.dialog, valueBox, text);
}

static void ShowBar(int which)
{
    const SettingsBar *bar = &kBars[which];
    switch (which) {
    case BAR_SINKTON:    ShowThreshold(bar->valueBox, -(double)g_working.Sinkton); break;
    case BAR_STEIGTON:   ShowThreshold(bar->valueBox, g_working.Steigton); break;
    case BAR_TIMEOFFSET: SetDlgItemInt(g_shell.dialog, bar->valueBox, (UINT)g_working.Timeoffset, TRUE); break;
    default:             SetDlgItemInt(g_shell.dialog, bar->valueBox, (UINT)BarPosition(which), FALSE); break;
    }
}

static void SetBar(int which)
{
    HWND bar = GetDlgItem(g_shell.dialog, kBars[which].bar);
    SetScrollRange(bar, SB_CTL, kBars[which].rule.low, kBars[which].rule.high, FALSE);
    SetScrollPos(bar, SB_CTL, BarPosition(which), TRUE);
}

static void ShowAndSetBar(int which)
{
    ShowBar(which);
    SetBar(which);
}

static void SelectItem(int list, int index)
{
    SendDlgItemMessageA(g_shell.dialog, list, CB_SETCURSEL, index, 0);
}

// The list's selection, or the current value when nothing is selected.
static uint8_t SelectedItem(int list, uint8_t current, int count)
{
    LRESULT selected = SendDlgItemMessageA(g_shell.dialog, list, CB_GETCURSEL, 0, 0);
    return (selected >= 0 && selected < count) ? (uint8_t)selected : current;
}

static void SetLabel(int id, const char *text)
{
    SetDlgItemTextA(g_shell.dialog, id, text);
}

static void FillList(int list, const LanguageTable *table, int firstSlot, int count, int selected)
{
    SendDlgItemMessageA(g_shell.dialog, list, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; i++)
        SendDlgItemMessageA(g_shell.dialog, list, CB_ADDSTRING, 0, (LPARAM)LanguageSlot(table, firstSlot + i));
    SelectItem(list, selected);
}

static void ReadLanguageText(const DeviceRoot *root, int sprache, LanguageTable *table)
{
    char name[32];
    snprintf(name, sizeof name, "%s%s", kSetupFolder, BuiltInLabel(LABEL_FILE_NAME + sprache));
    char path[PATH_SIZE];
    Stream in;
    // A file that does not open leaves the previous language's texts.
    if (FormDevicePath(path, root, name) && OpenStream(&in, path, "rt")) {
        ReadLanguageFile(table, &in);
        CloseStream(&in);
    }
    UseLanguageFallback(table);
}

// The labels of both pages: a slot of the language file, or one of the
// program's own labels in the instrument's language.
struct PageLabel {
    uint16_t control;
    uint8_t slot;      // 0: the built-in label
    uint8_t label;
};

static const PageLabel kPageLabels[] = {
    {IDC_S1_HEADING, SLOT_SETTINGS_HEADING, 0}, {IDC_S1_SUBHEADING, 0, LABEL_PAGE1},
    {IDC_LANGUAGE_LABEL, SLOT_SPRACHE, 0},      {IDC_VOLUME_LABEL, SLOT_LAUTSTAERKE, 0},
    {IDC_CONTRAST_LABEL, SLOT_CONTRAST, 0},     {IDC_UNIT_LABEL, SLOT_UNIT, 0},
    {IDC_COORD_LABEL, SLOT_COORDINATE_FORMAT, 0}, {IDC_FIELD1_LABEL, 0, LABEL_FIELD1},
    {IDC_FIELD2_LABEL, 0, LABEL_FIELD2},        {IDC_S2_HEADING, SLOT_SETTINGS_HEADING, 0},
    {IDC_S2_SUBHEADING, 0, LABEL_PAGE2},        {IDC_SINK_LABEL, SLOT_SINKTON, 0},
    {IDC_CLIMB_LABEL, SLOT_STEIGTON, 0},        {IDC_TIMEOFFSET_LABEL, SLOT_TIMEOFFSET, 0},
    {IDC_TRACK_LABEL, SLOT_TRACKINTERVAL, 0},   {IDC_INTEGRAL_LABEL, SLOT_INTEGRALZEIT, 0},
    {IDC_AIRSPACE_LABEL, SLOT_AIRSPACE, 0},
};

void LoadLanguage(const DeviceRoot *root, const Settings *settings, LanguageTable *table)
{
    int language = settings->Sprache;
    ReadLanguageText(root, language, table);
    for (const PageLabel &label : kPageLabels)
        SetLabel(label.control, label.slot ? LanguageSlot(table, label.slot) : BuiltInLabel(label.label + language));
    FillList(IDC_LANGUAGE, table, SLOT_LANGUAGE_NAMES, LANGUAGE_COUNT, settings->Sprache);
    FillList(IDC_UNIT, table, SLOT_UNIT_NAMES, 2, settings->Unit);
    FillList(IDC_COORD, table, SLOT_COORDINATE_NAMES, 3, settings->CoordinateFormat);
}

void FillSettingsPages(const Settings *settings)
{
    CopySettingsToWorking(settings, &g_working);
    ShowAndSetBar(BAR_LAUTSTAERKE);
    ShowAndSetBar(BAR_CONTRAST);
    SelectItem(IDC_FIELD1, settings->Feld1);
    SelectItem(IDC_FIELD2, settings->Feld2);
    for (int which = BAR_SINKTON; which < BAR_COUNT; which++)
        ShowAndSetBar(which);
}

void HandleSettingsScroll(WPARAM wParam, LPARAM lParam)
{
    HWND handle = (HWND)lParam;
    for (int which = 0; which < BAR_COUNT; which++) {
        if (GetDlgItem(g_shell.dialog, kBars[which].bar) != handle)
            continue;
        int thumb = (int)HIWORD(wParam);
        // The time offset bar is the only one that goes below zero.
        if (which == BAR_TIMEOFFSET)
            thumb = (int16_t)HIWORD(wParam);
        SetBarPosition(which, ApplyScroll(&kBars[which].rule, BarPosition(which), LOWORD(wParam), thumb));
        SetScrollPos(handle, SB_CTL, BarPosition(which), TRUE);
        ShowBar(which);
        return;
    }
}

bool TakeSettingsPage1(Settings *settings)
{
    uint8_t language = settings->Sprache;
    settings->Sprache = SelectedItem(IDC_LANGUAGE, settings->Sprache, LANGUAGE_COUNT);
    settings->Unit = SelectedItem(IDC_UNIT, settings->Unit, 2);
    settings->CoordinateFormat = SelectedItem(IDC_COORD, settings->CoordinateFormat, 3);
    settings->Feld1 = SelectedItem(IDC_FIELD1, settings->Feld1, DISPLAY_FIELD_COUNT);
    settings->Feld2 = SelectedItem(IDC_FIELD2, settings->Feld2, DISPLAY_FIELD_COUNT);
    g_working.Lautstaerke = (uint8_t)GetDlgItemInt(g_shell.dialog, IDC_VOLUME_VALUE, NULL, FALSE);
    g_working.Contrast = (uint8_t)GetDlgItemInt(g_shell.dialog, IDC_CONTRAST_VALUE, NULL, FALSE);
    settings->Lautstaerke = g_working.Lautstaerke;
    settings->Contrast = g_working.Contrast;
    return settings->Sprache != language;
}

void CancelSettingsPage1(const Settings *settings)
{
    g_working.Lautstaerke = settings->Lautstaerke;
    g_working.Contrast = settings->Contrast;
    SelectItem(IDC_LANGUAGE, settings->Sprache);
    ShowAndSetBar(BAR_LAUTSTAERKE);
    ShowAndSetBar(BAR_CONTRAST);
    SelectItem(IDC_UNIT, settings->Unit);
    SelectItem(IDC_COORD, settings->CoordinateFormat);
    SelectItem(IDC_FIELD1, settings->Feld1);
    SelectItem(IDC_FIELD2, settings->Feld2);
    ShowPage(PAGE_PREVIEW);
}

// A threshold as its value box shows it, at most six characters.
static float ReadThreshold(int valueBox)
{
    char text[7] = "";
    GetDlgItemTextA(g_shell.dialog, valueBox, text, sizeof text);
    return (float)ParseReal(text);
}

void TakeSettingsPage2(Settings *settings)
{
    g_working.Sinkton = -ReadThreshold(IDC_SINK_VALUE) + 0.0f;
    g_working.Steigton = ReadThreshold(IDC_CLIMB_VALUE);
    g_working.Timeoffset = (int32_t)GetDlgItemInt(g_shell.dialog, IDC_TIMEOFFSET_VALUE, NULL, TRUE);
    g_working.Trackinterval = (uint8_t)GetDlgItemInt(g_shell.dialog, IDC_TRACK_VALUE, NULL, FALSE);
    g_working.Integralzeit = (uint8_t)GetDlgItemInt(g_shell.dialog, IDC_INTEGRAL_VALUE, NULL, FALSE);
    g_working.AirspaceWarnDistance = (uint16_t)GetDlgItemInt(g_shell.dialog, IDC_AIRSPACE_VALUE, NULL, FALSE);
    CopyPage2Values(settings, &g_working);
}

void CancelSettingsPage2(const Settings *settings)
{
    CopyPage2Values(&g_working, settings);
    for (int which = BAR_SINKTON; which < BAR_COUNT; which++)
        ShowAndSetBar(which);
    ShowPage(PAGE_PREVIEW);
}

static bool SaveSetupText(const DeviceRoot *root, const char *text, char *path)
{
    char temp[PATH_SIZE];
    Stream out;
    if (!FormDevicePath(temp, root, kSetupTempName) || !FormDevicePath(path, root, kSetupFileName) ||
        !OpenStream(&out, temp, "wt"))
        return false;
    WriteText(&out, text);
    return FinishSave(&out, temp, path);
}

bool WriteSetupFile(const DeviceRoot *root, const Settings *settings)
{
    char text[SETUP_TEXT_SIZE];
    char path[PATH_SIZE];
    if (!FormatSetupFile(settings, text, sizeof text) || !SaveSetupText(root, text, path)) {
        ShowMessageBox(g_shell.dialog, Text(TEXT_BOX_SETUP_NOT_SAVED), Text(TEXT_BOX_FILE_ERROR), MB_ICONWARNING);
        return false;
    }
    SetStatusTextF(Text(TEXT_STATUS_SETUP_SAVED), path);
    return true;
}
