// The pilot file codec: which files read, what the fields become, the
// character rules, and the exact bytes written.
#include <gtest/gtest.h>

#include <string.h>
#include <sys/stat.h>
#include <string>

#include "device/stream.h"
#include "pilot/pilotfile.h"
#include "tests/native/scratch.h"

static const char kSampleFile[] =
    "IDJoBr\nHOPLTPILOT: Jonas Brandstetter\nHOGTYGLIDERTYPE: Nova Mentor 7\n"
    "HOCCLCOMPETITION CLASS: Paraglider (Sport)\n";

static Pilot MakePilot(const char *igcId, const char *pilot, const char *glider, const char *gliderClass)
{
    Pilot p = {};
    snprintf(p.igcId, sizeof p.igcId, "%s", igcId);
    snprintf(p.pilot, sizeof p.pilot, "%s", pilot);
    snprintf(p.glider, sizeof p.glider, "%s", glider);
    snprintf(p.gliderClass, sizeof p.gliderClass, "%s", gliderClass);
    return p;
}

// Reads a file as the program does: text mode, at most 255 characters.
static bool ReadFrom(const std::string &bytes, Pilot *pilot)
{
    std::string path = ScratchFile("SETUP/igcheader.txt", bytes);
    Stream in;
    EXPECT_TRUE(OpenStream(&in, path.c_str(), "rt"));
    // More room than the program gives it: the limit is the reader's own.
    char text[2 * PILOT_TEXT_LENGTH];
    ReadPilotText(&in, text, sizeof text);
    CloseStream(&in);
    return ParsePilotText(text, pilot);
}

static void ExpectPilot(const Pilot &p, const char *igcId, const char *pilot, const char *glider,
                        const char *gliderClass)
{
    EXPECT_STREQ(p.igcId, igcId);
    EXPECT_STREQ(p.pilot, pilot);
    EXPECT_STREQ(p.glider, glider);
    EXPECT_STREQ(p.gliderClass, gliderClass);
}

TEST(PilotFile, SampleFileReadsIntoTheFourFields)
{
    Pilot p = {};
    ASSERT_TRUE(ReadFrom(kSampleFile, &p));
    ExpectPilot(p, "JoBr", "Jonas Brandstetter", "Nova Mentor 7", "Paraglider (Sport)");
}

TEST(PilotFile, CrLfLineEndsReadLikeLineFeeds)
{
    Pilot p = {};
    ASSERT_TRUE(ReadFrom("IDJoBr\r\nHOPLTPILOT: Jonas\r\nHOGTYGLIDERTYPE: Mentor\r\n"
                         "HOCCLCOMPETITION CLASS: HG (Fun Cup)\r\n", &p));
    ExpectPilot(p, "JoBr", "Jonas", "Mentor", "HG (Fun Cup)");
    // A carriage return that ends no line is an ordinary character.
    ASSERT_TRUE(ReadFrom("IDJo\rB\nHOPLTPILOT: a\rb\nHOGTYGLIDERTYPE: g\r\r\nHOCCLCOMPETITION CLASS: \n", &p));
    ExpectPilot(p, "Jo\rB", "a\rb", "g\r", "");
}

TEST(PilotFile, LongValuesAreCutAndTheirLinesPassed)
{
    Pilot p = {};
    std::string pilot30(30, 'p'), class40(40, 'c');
    ASSERT_TRUE(ReadFrom("IDABCDEFG\nHOPLTPILOT: " + pilot30 + "\nHOGTYGLIDERTYPE: Rush 6\n"
                         "HOCCLCOMPETITION CLASS: " + class40 + "\n", &p));
    ExpectPilot(p, "ABCD", std::string(22, 'p').c_str(), "Rush 6", std::string(22, 'c').c_str());
    // Values of exactly the field's length are kept whole; one more is cut.
    std::string n22(22, 'q');
    ASSERT_TRUE(ReadFrom("IDWXYZ\nHOPLTPILOT: " + n22 + "\nHOGTYGLIDERTYPE: " + n22 + "g\n"
                         "HOCCLCOMPETITION CLASS: x\n", &p));
    ExpectPilot(p, "WXYZ", n22.c_str(), n22.c_str(), "x");
    ASSERT_TRUE(ReadFrom("IDVWXYZ\nHOPLTPILOT: a\nHOGTYGLIDERTYPE: b\nHOCCLCOMPETITION CLASS: c\n", &p));
    ExpectPilot(p, "VWXY", "a", "b", "c");
}

TEST(PilotFile, EmptyValuesAreFound)
{
    // The file that a save with class item 0 writes.
    Pilot p = MakePilot("old", "old", "old", "old");
    ASSERT_TRUE(ReadFrom("IDMaMu\nHOPLTPILOT: Max\nHOGTYGLIDERTYPE: Alpha\nHOCCLCOMPETITION CLASS: \n", &p));
    ExpectPilot(p, "MaMu", "Max", "Alpha", "");
    // An empty IGC-ID does not swallow the next line.
    ASSERT_TRUE(ReadFrom("ID\nHOPLTPILOT: \nHOGTYGLIDERTYPE: \nHOCCLCOMPETITION CLASS: \n", &p));
    ExpectPilot(p, "", "", "", "");
}

struct UnreadFile {
    const char *name;
    const char *bytes;
    int fieldsTaken;    // fields that got new values before the reading ended
};

// Files that are not read; "N" marks the new value a field got.
static const UnreadFile kUnreadFiles[] = {
    {"empty", "", 0},
    {"pilot before ID", "HOPLTPILOT: N\nIDN\nHOGTYGLIDERTYPE: N\nHOCCLCOMPETITION CLASS: N\n", 0},
    {"leading blank line", "\nIDN\nHOPLTPILOT: N\nHOGTYGLIDERTYPE: N\nHOCCLCOMPETITION CLASS: N\n", 0},
    {"blank before key", " IDN\nHOPLTPILOT: N\nHOGTYGLIDERTYPE: N\nHOCCLCOMPETITION CLASS: N\n", 0},
    {"blank line between", "IDN\nHOPLTPILOT: N\n\nHOGTYGLIDERTYPE: N\nHOCCLCOMPETITION CLASS: N\n", 2},
    {"no blank after colon", "IDN\nHOPLTPILOT:N\nHOGTYGLIDERTYPE: N\nHOCCLCOMPETITION CLASS: N\n", 1},
    {"key in lower case", "IDN\nHOPLTPILOT: N\nHOGTYGLIDERTYPE: N\nHOCCLcompetition class: N\n", 3},
    {"class before glider", "IDN\nHOPLTPILOT: N\nHOCCLCOMPETITION CLASS: N\nHOGTYGLIDERTYPE: N\n", 2},
    {"last line without line feed", "IDN\nHOPLTPILOT: N\nHOGTYGLIDERTYPE: N\nHOCCLCOMPETITION CLASS: N", 3},
    {"end of text mark", "IDN\nHOPLTPILOT: N\nHOGTYGLIDERTYPE: N\x1AHOCCLCOMPETITION CLASS: N\n", 2},
};

TEST(PilotFile, FilesOutOfOrderOrIncompleteAreNotReadAndKeepLaterFields)
{
    for (const UnreadFile &file : kUnreadFiles) {
        Pilot p = MakePilot("old", "old", "old", "old");
        EXPECT_FALSE(ReadFrom(file.bytes, &p)) << file.name;
        const char *fields[] = {p.igcId, p.pilot, p.glider, p.gliderClass};
        for (int i = 0; i < 4; i++)
            EXPECT_STREQ(fields[i], i < file.fieldsTaken ? "N" : "old") << file.name << ", field " << i;
    }
}

TEST(PilotFile, OnlyTheFirst255CharactersAreRead)
{
    const std::string head = "IDJoBr\nHOPLTPILOT: Jonas\nHOGTYGLIDERTYPE: Mentor\n";
    const std::string key = "HOCCLCOMPETITION CLASS: ";
    // The class line's line feed is the 255th character: the file is read,
    // whatever follows it up to 300 characters.
    std::string fits = head + key + std::string(255 - head.size() - key.size() - 1, 'c') + "\n";
    ASSERT_EQ(fits.size(), 255u);
    Pilot p = {};
    EXPECT_TRUE(ReadFrom(fits + std::string(45, 'z'), &p));
    EXPECT_STREQ(p.gliderClass, std::string(22, 'c').c_str());
    // One character more and the line feed lies beyond what is read.
    std::string cut = head + key + std::string(255 - head.size() - key.size(), 'c') + "\n";
    EXPECT_FALSE(ReadFrom(cut + std::string(44, 'z'), &p));
    // CR LF counts as one character read, so the same text with CR LF fits.
    std::string crlf = "IDJoBr\r\nHOPLTPILOT: Jonas\r\nHOGTYGLIDERTYPE: Mentor\r\n" + key +
                       std::string(255 - head.size() - key.size() - 1, 'c') + "\r\n";
    EXPECT_TRUE(ReadFrom(crlf, &p));
    // A field that starts beyond the 255th character is not found: here the
    // pilot line ends with the 255th character.
    std::string late = "IDJoBr\nHOPLTPILOT: " + std::string(235, 'p') + "\nHOGTYGLIDERTYPE: Mentor\n" +
                       key + "HG (Fun Cup)\n";
    p = MakePilot("old", "old", "old", "old");
    EXPECT_FALSE(ReadFrom(late, &p));
    ExpectPilot(p, "JoBr", std::string(22, 'p').c_str(), "old", "old");
}

TEST(PilotFile, FieldCursorMovesOnlyPastAFoundLine)
{
    const char *text = "IDAB\nHOPLTPILOT: x\n";
    const char *cursor = text;
    char value[PILOT_NAME_SIZE] = "untouched";
    EXPECT_EQ(ReadPilotField(&cursor, "HOPLTPILOT: ", value, PILOT_NAME_LENGTH), PILOT_FIELD_MISSING);
    EXPECT_EQ(cursor, text);
    EXPECT_STREQ(value, "untouched");
    EXPECT_EQ(ReadPilotField(&cursor, "ID", value, IGC_ID_LENGTH), 2);
    EXPECT_EQ(cursor, text + 5);
    EXPECT_EQ(ReadPilotField(&cursor, "HOPLTPILOT: ", value, PILOT_NAME_LENGTH), 1);
    EXPECT_STREQ(value, "x");
    EXPECT_EQ(*cursor, '\0');
    EXPECT_EQ(ReadPilotField(&cursor, "HOPLTPILOT: ", value, PILOT_NAME_LENGTH), PILOT_FIELD_MISSING);
}

TEST(PilotFile, AllowedCharacters)
{
    struct { const char *text; bool allowed; } cases[] = {
        {"", true},
        {"Max Mustermann", true},
        {"0123456789", true},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz", true},
        {"J\xF6rg M\xFCller-L\xE4mmle (2)", true},
        {"+45\xB0/12,5", true},
        {"Ren\xE9", false},            // accented letter
        {"\xC4rger", false},           // capital umlaut
        {"\xD6" "z", false},
        {"\xDC" "bel", false},
        {"Gro\xDF", false},            // sharp s
        {"Ma.u", false},               // full stop
        {"Degree \xBA", false},        // the ordinal sign is not the degree sign
        {"a\tb", false},
        {"a_b", false}, {"a'b", false}, {"a:b", false}, {"a\"b", false}, {"a*b", false},
        {"\x7F", false}, {"\xFF", false}, {"\x80", false},
    };
    for (auto &c : cases)
        EXPECT_EQ(IsAllowedPilotText(c.text), c.allowed) << c.text;
}

TEST(PilotFile, ClassNamesMatchExactly)
{
    struct { const char *name; int item; } cases[] = {
        {"", 0},
        {"<>", 0},
        {"Flexible Wing", 1},
        {"Paraglider (Sport)", 4},
        {"HG (Fun Cup)", 7},
        {"paraglider (sport)", -1},
        {"Paraglider (Sport) ", -1},
        {"Paraglider", -1},
    };
    for (auto &c : cases)
        EXPECT_EQ(FindGliderClass(c.name), c.item) << c.name;
}

TEST(PilotFile, IgcIdOfTheWrongLengthIsMadeFourCharacters)
{
    struct { const char *text, *padded; } cases[] = {
        {"", "XXXX"}, {"A", "AXXX"}, {"Ab", "AbXX"}, {"Abc", "AbcX"}, {"Abcde", "Abcd"},
        {"abcdefghijklmnopqrstuvw", "abcd"},
    };
    for (auto &c : cases) {
        char igcId[IGC_ID_SIZE];
        PadIgcId(c.text, igcId);
        EXPECT_STREQ(igcId, c.padded) << c.text;
    }
}

TEST(PilotFile, ClassSelectionRules)
{
    Pilot p = MakePilot("MaMu", "", "", "Own Class");
    TakeClassSelection(&p, 8);
    EXPECT_STREQ(p.gliderClass, "Own Class");
    TakeClassSelection(&p, -1);
    EXPECT_STREQ(p.gliderClass, "Own Class");
    TakeClassSelection(&p, 6);
    EXPECT_STREQ(p.gliderClass, "Paraglider (Fun Cup)");
    TakeClassSelection(&p, 0);
    EXPECT_STREQ(p.gliderClass, "");
}

TEST(PilotFile, WrittenBytesAreTheFourLinesWithLineFeeds)
{
    Pilot p = MakePilot("JoBr", "Jonas Brandstetter", "Nova Mentor 7", "Paraglider (Sport)");
    char text[PILOT_FILE_SIZE];
    EXPECT_EQ(FormatPilotFile(&p, text, sizeof text), strlen(kSampleFile));
    EXPECT_STREQ(text, kSampleFile);

    // The longest file is 129 bytes and fits the buffer exactly.
    std::string n22(22, 'n');
    p = MakePilot("WXYZ", n22.c_str(), n22.c_str(), n22.c_str());
    EXPECT_EQ(FormatPilotFile(&p, text, sizeof text), 129u);
    EXPECT_EQ(FormatPilotFile(&p, text, 129), 0u);
}

TEST(PilotFile, WrittenFileReadsBackIntoTheSameValues)
{
    const Pilot written[] = {
        MakePilot("M\xE4Mu", "J\xF6rg M\xFCller (2)", "+45\xB0/12,5", ""),
        MakePilot("WXYZ", std::string(22, 'n').c_str(), std::string(22, 'g').c_str(),
                  "Own class from a file"),
    };
    std::string path = ScratchPath("SETUP/igcheader.txt");
    std::string temp = ScratchPath("SETUP/igcheader.new");
    for (const Pilot &p : written) {
        ASSERT_TRUE(WritePilotFile(&p, temp.c_str(), path.c_str()));
        struct stat info;
        EXPECT_NE(stat(temp.c_str(), &info), 0) << "the temporary file was left";
        Pilot back = MakePilot("old", "old", "old", "old");
        ASSERT_TRUE(ReadFrom(ReadFileBytes(path), &back)) << p.pilot;
        ExpectPilot(back, p.igcId, p.pilot, p.glider, p.gliderClass);
    }
}

TEST(PilotFile, FailedWriteLeavesTheOldFileAndNoTemporaryFile)
{
    std::string path = ScratchFile("SETUP/keep.txt", kSampleFile);
    std::string temp = ScratchPath("SETUP/keep.new");
    Pilot p = MakePilot("MaMu", "Max", "Alpha", "");

    // The replacement fails: a folder with a file in it stands at the target.
    std::string folder = ScratchPath("SETUP/folder.txt");
    ScratchFile("SETUP/folder.txt/inside", "x");
    EXPECT_FALSE(WritePilotFile(&p, temp.c_str(), folder.c_str()));
    struct stat info;
    EXPECT_NE(stat(temp.c_str(), &info), 0) << "the temporary file was left";
    EXPECT_EQ(ReadFileBytes(folder + "/inside"), "x");

    // The temporary file cannot be created.
    EXPECT_FALSE(WritePilotFile(&p, (ScratchPath("SETUP") + "/missing/keep.new").c_str(), path.c_str()));
    EXPECT_EQ(ReadFileBytes(path), kSampleFile);
}
