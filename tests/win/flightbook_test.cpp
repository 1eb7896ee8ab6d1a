// The flight book page on a folder tree of its own on drive E:, read back
// from the list view, and its CSV file on G:.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include "ui/pages.h"
#include "ui/resource.h"
#include "tests/win/harness.h"
#include "tests/win/scripted_prompts.h"

static std::string Log(const std::string &date, const std::string &glider, const std::string &fixes)
{
    return "AZIR001\r\n" + date + "\r\nHFGTYGLIDERTYPE:" + glider + "\r\n" + fixes;
}

// A click on a column's header, as the list view reports it.
static void ClickHeader(int column)
{
    NMLISTVIEW click = {};
    click.hdr.hwndFrom = Control(IDC_BOOK_LIST);
    click.hdr.idFrom = IDC_BOOK_LIST;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    Send(WM_NOTIFY, IDC_BOOK_LIST, (LPARAM)&click);
}

TEST(FlightBook, ListsEveryLogSortsByHeaderClicksAndSavesItsOrder)
{
    ClearTestDrives();
    CopySampleInstrument("E:\\");
    // The sample's flights are out of the way: the rows here are known.
    ASSERT_TRUE(MoveFileA("E:\\FLIGHTS", "E:\\SAMPLE"));
    WriteFileBytes("E:\\FLIGHTS\\2025\\b.igc", Log("HFDTEDATE:140625,01", " Nova Mentor 7 ", IgcFix("100000") + IgcFix("123000")));
    WriteFileBytes("E:\\FLIGHTS\\2025\\a.IGC", Log("HFDTEDATE:140625,02", "Gin Bonanza 2", IgcFix("130000") + IgcFix("134559")));
    WriteFileBytes("E:\\FLIGHTS\\old.igc", Log("HFDTE010724", "", IgcFix("233000") + IgcFix("001500")));
    WriteFileBytes("E:\\FLIGHTS\\nofix.igc", Log("HFDTE020526", "Ozone", "LXXX\r\n"));
    WriteFileBytes("E:\\FLIGHTS\\empty.igc", "");
    // Not what the flight-log copy copies.
    WriteFileBytes("E:\\FLIGHTS\\.point\\hidden.igc", Log("HFDTE020526", "Hidden", IgcFix("100000")));
    WriteFileBytes("E:\\FLIGHTS\\notes.txt", "no log");
    StartProgram();
    Command(IDM_FLIGHTBOOK_PAGE);
    EXPECT_EQ(g_page, PAGE_FLIGHTBOOK);
    EXPECT_TRUE(IsShown(IDC_BOOK_LIST));
    const std::string nofix = "02.05.2026||||Ozone|nofix.igc\n", a = "14.06.2025|13:00:00|13:45:59|0:45|Gin Bonanza 2|2025\\a.IGC\n",
                      b = "14.06.2025|10:00:00|12:30:00|2:30|Nova Mentor 7|2025\\b.igc\n",
                      old = "01.07.2024|23:30:00|00:15:00|0:45||old.igc\n", empty = "|||||empty.igc\n";
    EXPECT_EQ(ListRows(IDC_BOOK_LIST), nofix + a + b + old + empty);
    EXPECT_EQ(StatusText(), " 5 Fl\xFC" "ge, 4:00 h Flugzeit");

    // Equal fields keep the order they had; empty ones stay last.
    const struct { int column; std::string rows; } clicks[] = {
        {3, a + old + b + nofix + empty},
        {3, b + a + old + nofix + empty},
        {4, a + b + nofix + old + empty},
        {0, old + a + b + nofix + empty},
        {0, nofix + a + b + old + empty},
    };
    for (const auto &c : clicks) {
        ClickHeader(c.column);
        EXPECT_EQ(ListRows(IDC_BOOK_LIST), c.rows) << c.column;
    }
    ClickHeader(4);
    ScriptChoice("G:\\book.csv");
    Command(IDC_BOOK_SAVE);
    EXPECT_EQ(ReadFileBytes("G:\\book.csv"),
              "Datum;Start;Landung;Dauer;Gleitschirm;Datei\r\n"
              "14.06.2025;13:00:00;13:45:59;0:45;Gin Bonanza 2;2025\\a.IGC\r\n"
              "14.06.2025;10:00:00;12:30:00;2:30;Nova Mentor 7;2025\\b.igc\r\n"
              "02.05.2026;;;;Ozone;nofix.igc\r\n"
              "01.07.2024;23:30:00;00:15:00;0:45;;old.igc\r\n"
              ";;;;;empty.igc\r\n");
    EXPECT_EQ(StatusText(), " 5 Fl\xFC" "ge geschrieben");
    EXPECT_EQ(PromptsOfKind("save").back().flags, (DWORD)(OFN_EXPLORER | OFN_OVERWRITEPROMPT));

    // A folder that is not there, and a folder in the file's place: a box,
    // the Status line as it was, and nothing left behind.
    MakeFolder("G:\\folder.csv");
    for (const char *path : {"G:\\missing\\book.csv", "G:\\folder.csv"}) {
        g_prompts.clear();
        ScriptChoice(path);
        Command(IDC_BOOK_SAVE);
        EXPECT_TRUE(ShownOneWarning("Das Flugbuch kann nicht gespeichert werden", "Dateifehler")) << path;
        EXPECT_EQ(StatusText(), " 5 Fl\xFC" "ge geschrieben");
    }
    EXPECT_EQ(ListFolder("G:\\").size(), 2u);
    EXPECT_TRUE(ListFolder("G:\\folder.csv\\").empty());

    // Shown again, the list is built afresh in its first order.
    DeleteFileA("E:\\FLIGHTS\\empty.igc");
    Command(IDC_BOOK_BACK);
    EXPECT_EQ(g_page, PAGE_PREVIEW);
    Command(IDM_FLIGHTBOOK_PAGE);
    EXPECT_EQ(ListRows(IDC_BOOK_LIST), nofix + a + b + old);
    EXPECT_EQ(StatusText(), " 4 Fl\xFC" "ge, 4:00 h Flugzeit");
}
