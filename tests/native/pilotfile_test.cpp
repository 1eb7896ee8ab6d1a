// The pilot file codec: which files read, what the fields become, the
// character rules, and the exact bytes written.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <string>

#include "device/stream.h"
#include "pilot/pilotfile.h"
#include "tests/native/scratch.h"


static Pilot MakePilot(const std::string &igcId, const std::string &pilot, const std::string &glider,
                       const std::string &gliderClass)
{
    Pilot p = {};
    snprintf(p.igcId, sizeof p.igcId, "%s", igcId.c_str());
    snprintf(p.pilot, sizeof p.pilot, "%s", pilot.c_str());
    snprintf(p.glider, sizeof p.glider, "%s", glider.c_str());
    snprintf(p.gliderClass, sizeof p.gliderClass, "%s", gliderClass.c_str());
    return p;
}

// Reads a file as the program does: text mode, at most 255 characters.
static bool ReadFrom(const std::string &bytes, Pilot *pilot)
{
    Stream in;
    EXPECT_TRUE(OpenStream(&in, ScratchFile("SETUP/igcheader.txt", bytes).c_str(), "rt"));
    // More room than the program gives it: the limit is the reader's own.
    char text[2 * PILOT_TEXT_LENGTH];
    ReadPilotText(&in, text, sizeof text);
    CloseStream(&in);
    return ParsePilotText(text, pilot);
}

static const std::string kClassKey = "HOCCLCOMPETITION CLASS: ";
static const std::string kHead = "IDJoBr\nHOPLTPILOT: Jonas\nHOGTYGLIDERTYPE: Mentor\n";
// A class line whose line feed is the 255th character of the file.
static const std::string kFullClass = std::string(255 - kHead.size() - kClassKey.size() - 1, 'c');

static const std::string kNewHead = "IDN\nHOPLTPILOT: N\nHOGTYGLIDERTYPE: N\n";
static const Pilot kOld = MakePilot("old", "old", "old", "old"), kNewOld = MakePilot("N", "N", "old", "old");

struct ReadCase {
    std::string bytes;
    bool read;
    Pilot fields;   // over "old" in each field; a file not read keeps the fields taken before the reading ended
};

static const ReadCase kReadCases[] = {
    // The sample's file: the Windows tests. CR LF: the second row of 255 characters.
    // A carriage return that ends no line is an ordinary character.
    {"IDJo\rB\nHOPLTPILOT: a\rb\nHOGTYGLIDERTYPE: g\r\r\nHOCCLCOMPETITION CLASS: \n", true,
     MakePilot("Jo\rB", "a\rb", "g\r", "")},
    // Long values are cut to their field and their lines passed.
    {"IDABCDEFG\nHOPLTPILOT: " + std::string(30, 'p') + "\nHOGTYGLIDERTYPE: " + std::string(23, 'g') +
         "\nHOCCLCOMPETITION CLASS: " + std::string(40, 'c') + "\n", true,
     MakePilot("ABCD", std::string(22, 'p'), std::string(22, 'g'), std::string(22, 'c'))},
    // Empty values are values: the file a save with class item 0 writes.
    {"ID\nHOPLTPILOT: \nHOGTYGLIDERTYPE: \nHOCCLCOMPETITION CLASS: \n", true, MakePilot("", "", "", "")},
    // Whatever follows the 255th character is not read; CR LF counts once.
    {kHead + kClassKey + kFullClass + "\n" + std::string(45, 'z'), true,
     MakePilot("JoBr", "Jonas", "Mentor", std::string(22, 'c'))},
    {"IDJoBr\r\nHOPLTPILOT: Jonas\r\nHOGTYGLIDERTYPE: Mentor\r\n" + kClassKey + kFullClass + "\r\n", true,
     MakePilot("JoBr", "Jonas", "Mentor", std::string(22, 'c'))},
    // Files out of order or incomplete.
    {"", false, kOld},
    {"HOPLTPILOT: N\nIDN\nHOGTYGLIDERTYPE: N\nHOCCLCOMPETITION CLASS: N\n", false, kOld},
    {"\nIDN\nHOPLTPILOT: N\nHOGTYGLIDERTYPE: N\nHOCCLCOMPETITION CLASS: N\n", false, kOld},
    {" IDN\nHOPLTPILOT: N\nHOGTYGLIDERTYPE: N\nHOCCLCOMPETITION CLASS: N\n", false, kOld},
    {"IDN\nHOPLTPILOT: N\n\nHOGTYGLIDERTYPE: N\nHOCCLCOMPETITION CLASS: N\n", false, kNewOld},
    {"IDN\nHOPLTPILOT:N\nHOGTYGLIDERTYPE: N\nHOCCLCOMPETITION CLASS: N\n", false, MakePilot("N", "old", "old", "old")},
    {"IDN\nHOPLTPILOT: N\nHOGTYGLIDERTYPE: N\nHOCCLcompetition class: N\n", false, MakePilot("N", "N", "N", "old")},
    {"IDN\nHOPLTPILOT: N\nHOCCLCOMPETITION CLASS: N\nHOGTYGLIDERTYPE: N\n", false, kNewOld},
    {"IDN\nHOPLTPILOT: N\nHOGTYGLIDERTYPE: N\nHOCCLCOMPETITION CLASS: N", false, MakePilot("N", "N", "N", "old")},
    {"IDN\nHOPLTPILOT: N\nHOGTYGLIDERTYPE: N\x1AHOCCLCOMPETITION CLASS: N\n", false, kNewOld},
    // The class line's line feed is the 256th character.
    {kNewHead + kClassKey + std::string(255 - kNewHead.size() - kClassKey.size(), 'c') + "\n", false,
     MakePilot("N", "N", "N", "old")},
};

TEST(PilotFile, FieldsAreReadAndCutToTheirLengthsOrTheFileIsNotRead)
{
    for (const ReadCase &c : kReadCases) {
        Pilot p = kOld;
        EXPECT_EQ(ReadFrom(c.bytes, &p), c.read) << c.bytes;
        EXPECT_STREQ(p.igcId, c.fields.igcId) << c.bytes;
        EXPECT_STREQ(p.pilot, c.fields.pilot) << c.bytes;
        EXPECT_STREQ(p.glider, c.fields.glider) << c.bytes;
        EXPECT_STREQ(p.gliderClass, c.fields.gliderClass) << c.bytes;
    }
}

TEST(PilotFile, AllowedCharacters)
{
    struct { const char *text; bool allowed; } cases[] = {
        {"", true}, {"AZ az 09 J\xF6rg M\xFCller-L\xE4mmle (2)", true}, {"+45\xB0/12,5", true},
        {"Ren\xE9", false}, {"\xC4rger", false}, {"Gro\xDF", false}, {"Ma.u", false}, {"Degree \xBA", false},
        {"a\tb", false}, {"a_b", false}, {"a:b", false}, {"a\"b", false}, {"\x7F", false}, {"\xFF", false},
    };
    for (auto &c : cases)
        EXPECT_EQ(IsAllowedPilotText(c.text), c.allowed) << c.text;
}

// A good write, through the temporary file and its replace, and a temporary
// file that cannot be created are checked on the real page under Wine; the
// bytes by an IGC reader (tests/checks/check_igc_header.sh).
TEST(PilotFile, FailedWriteLeavesTheOldFileAndNoTemporaryFile)
{
    std::string temp = ScratchPath("SETUP/keep.new");
    // The longest record fits the file buffer and no smaller one.
    Pilot p = MakePilot("WXYZ", std::string(22, 'n'), std::string(22, 'g'), std::string(22, 'c'));
    char text[PILOT_FILE_SIZE];
    EXPECT_EQ(FormatPilotFile(&p, text, sizeof text), 129u);
    EXPECT_EQ(FormatPilotFile(&p, text, 129), 0u);

    // The replacement fails: a folder with a file in it stands at the target.
    std::string folder = ScratchPath("SETUP/folder.txt");
    ScratchFile("SETUP/folder.txt/inside", "x");
    EXPECT_FALSE(WritePilotFile(&p, temp.c_str(), folder.c_str()));
    struct stat info;
    EXPECT_NE(stat(temp.c_str(), &info), 0) << "the temporary file was left";
    EXPECT_EQ(ReadFileBytes(folder + "/inside"), "x");
}
