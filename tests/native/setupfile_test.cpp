// The settings file codec: defaults, clamps, and the exact bytes written.
#include <gtest/gtest.h>

#include <string.h>
#include <string>

#include "device/stream.h"
#include "settings/setupfile.h"
#include "tests/native/scratch.h"

static const char kDefaultFile[] =
    "Sinkton:-2.5;\r\nSteigton:0.3;\r\nTimeoffset:1;\r\nTrackinterval:1;\r\n"
    "Lautstaerke:4;\r\nFeld1:2;\r\nFeld2:1;\r\nSprache:0;\r\nContrast:12;\r\n"
    "POffset:0.00;\r\nTOffset:0;\r\nAirspaceWarnDistance:1000;\r\nUnit:0;\r\n"
    "CoordinateFormat:0;\r\nIntegralzeit:3;\r\n*";

// Loads over a record full of junk: every load must start from the defaults.
static Settings LoadFrom(const std::string &bytes)
{
    std::string path = ScratchFile("setupdata.txt", bytes);
    Stream in;
    EXPECT_TRUE(OpenStream(&in, path.c_str(), "rt"));
    Settings settings;
    memset(&settings, 0x5A, sizeof settings);
    ReadSetupFile(&settings, &in);
    CloseStream(&in);
    return settings;
}

static std::string WrittenBytes(const Settings &settings)
{
    char text[SETUP_TEXT_SIZE];
    EXPECT_GT(FormatSetupFile(&settings, text, sizeof text), 0u);
    std::string path = ScratchPath("written.txt");
    Stream out;
    EXPECT_TRUE(OpenStream(&out, path.c_str(), "wt"));
    WriteText(&out, text);
    EXPECT_TRUE(CloseStream(&out));
    return ReadFileBytes(path);
}

TEST(SetupFile, FilesWithoutValuesGiveTheFifteenDefaultLines)
{
    Settings settings;
    SetDefaultSettings(&settings);
    EXPECT_EQ(WrittenBytes(settings), kDefaultFile);
    // In memory the lines end in LF alone: fifteen bytes fewer than on disk.
    char text[SETUP_TEXT_SIZE];
    EXPECT_EQ(FormatSetupFile(&settings, text, strlen(kDefaultFile) - 15), 0u);
    EXPECT_EQ(FormatSetupFile(&settings, text, strlen(kDefaultFile) - 14), strlen(kDefaultFile) - 15);
    for (const char *bytes : {"", "*", "*\r\nContrast:3;\r\n", "\r\n\r\n", kDefaultFile})
        EXPECT_EQ(WrittenBytes(LoadFrom(bytes)), kDefaultFile) << "file: " << bytes;
}

struct LoadCase {
    std::string file;
    const char *writtenBack;   // the line the writer makes of the loaded value
};

static const LoadCase kLoadCases[] = {
    // A key or two of each clamp rule.
    {"Sinkton:2.5;", "Sinkton:-0.0;"}, {"Sinkton:-7;", "Sinkton:-5.0;"}, {"Sinkton:-1.25;", "Sinkton:-1.2;"},
    {"Sinkton:  -3e0;", "Sinkton:-3.0;"}, {"Sinkton:0;", "Sinkton:-0.0;"},
    {"Steigton:9;", "Steigton:5.0;"}, {"Steigton:-1;", "Steigton:0.0;"}, {"Steigton:inf;", "Steigton:0.0;"},
    {"Steigton:0x10;", "Steigton:0.0;"},
    // Numbers as strtod and strtol read them, in the forms the file uses.
    {"Steigton:.5;", "Steigton:0.5;"}, {"Steigton:2.;", "Steigton:2.0;"}, {"Steigton:2e+;", "Steigton:2.0;"},
    {"Steigton:1,5;", "Steigton:1.0;"}, {"Steigton:nan;", "Steigton:0.0;"}, {"Contrast:\t7x;", "Contrast:7;"},
    {"Contrast:-;", "Contrast:0;"}, {"Timeoffset:-20;", "Timeoffset:-12;"}, {"Timeoffset:20;", "Timeoffset:13;"},
    {"Integralzeit:99;", "Integralzeit:60;"}, {"Lautstaerke:12;", "Lautstaerke:8;"},
    {"Lautstaerke:-1;", "Lautstaerke:255;"}, {"Lautstaerke:-300;", "Lautstaerke:212;"},
    {"Feld1:17;", "Feld1:2;"}, {"Feld1:272;", "Feld1:16;"}, {"Feld2:16;", "Feld2:16;"}, {"Sprache:8;", "Sprache:0;"},
    {"AirspaceWarnDistance:-5;", "AirspaceWarnDistance:0;"},
    {"AirspaceWarnDistance:20000;", "AirspaceWarnDistance:10000;"}, {"TOffset:300;", "TOffset:44;"},
    {"POffset:-12.345;", "POffset:-12.35;"},
    // Written in full, however long, and never as "inf".
    {"POffset:123456789.5;", "POffset:123456792.00;"},
    {"POffset:1e39;", "POffset:340282346638528859811704183484516925440.00;"},
    // Integers saturate as a 32-bit strtol does on the instrument's side.
    {"Feld1:4294967297;", "Feld1:2;"}, {"Contrast:-99999999999999999999;", "Contrast:0;"},
    // The key must start the line and match in case.
    {"sinkton:-1.0;", "Sinkton:-2.5;"}, {" Sinkton:-1.0;", "Sinkton:-2.5;"}, {"Sinkton -1.0;", "Sinkton:-2.5;"},
    // The last of repeated keys counts; nothing after "*" or 0x1A does.
    {"Contrast:3;\r\nContrast:7;\r\n*\r\nContrast:9;\r\n", "Contrast:7;"},
    {"Unit:1;\r\n\x1A" "Contrast:3;\r\n", "Contrast:12;"},
    // No "*", any order, LF ends; a lone CR ends no line.
    {"Unit:1;\nJunk line\r\nSprache:3;\rFeld2:5;\nIntegralzeit:7;", "Sprache:3;"},
    {"Unit:1;\nJunk line\r\nSprache:3;\rFeld2:5;\nIntegralzeit:7;", "Feld2:1;"},
    {"Unit:1;\nJunk line\r\nSprache:3;\rFeld2:5;\nIntegralzeit:7;", "Integralzeit:7;"},
    // A long line is read in pieces of 255; the second piece is a line.
    {std::string(255, 'x') + "Contrast:5;\r\n*", "Contrast:5;"},
};

TEST(SetupFile, EachValueIsClampedOnLoadAndWrittenBack)
{
    for (const LoadCase &c : kLoadCases) {
        std::string bytes = "\r\n" + WrittenBytes(LoadFrom(c.file));
        std::string key = std::string(c.writtenBack).substr(0, strcspn(c.writtenBack, ":") + 1);
        size_t at = bytes.find("\r\n" + key);
        ASSERT_NE(at, std::string::npos) << key;
        EXPECT_EQ(bytes.substr(at + 2, bytes.find("\r\n", at + 2) - at - 2), c.writtenBack) << "file: " << c.file;
    }
}
