// The settings file codec: defaults, clamps, and the exact bytes written.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string>

#include "device/stream.h"
#include "settings/setupfile.h"
#include "tests/native/scratch.h"

static const char kDefaultFile[] =
    "Sinkton:-2.5;\r\nSteigton:0.3;\r\nTimeoffset:1;\r\nTrackinterval:1;\r\n"
    "Lautstaerke:4;\r\nFeld1:2;\r\nFeld2:1;\r\nSprache:0;\r\nContrast:12;\r\n"
    "POffset:0.00;\r\nTOffset:0;\r\nAirspaceWarnDistance:1000;\r\nUnit:0;\r\n"
    "CoordinateFormat:0;\r\nIntegralzeit:3;\r\n*";

static Settings LoadFrom(const std::string &bytes)
{
    std::string path = ScratchFile("setupdata.txt", bytes);
    Stream in;
    EXPECT_TRUE(OpenStream(&in, path.c_str(), "rt"));
    Settings settings;
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

static std::string WrittenLine(const Settings &settings, const char *key)
{
    std::string bytes = WrittenBytes(settings);
    size_t at = bytes.find(std::string(key) + ":");
    if (at == std::string::npos)
        return "";
    return bytes.substr(at, bytes.find("\r\n", at) - at);
}

TEST(SetupFile, DefaultsWrittenAsTheFifteenDefaultLines)
{
    Settings settings;
    SetDefaultSettings(&settings);
    EXPECT_EQ(WrittenBytes(settings), kDefaultFile);
}

TEST(SetupFile, EmptyOrStarFileGivesDefaults)
{
    Settings defaults;
    SetDefaultSettings(&defaults);
    for (const char *bytes : {"", "*", "*\r\nContrast:3;\r\n", "\r\n\r\n"}) {
        Settings loaded = LoadFrom(bytes);
        EXPECT_EQ(WrittenBytes(loaded), kDefaultFile) << "file: " << bytes;
    }
}

TEST(SetupFile, DefaultFileReadsBackAsDefaults)
{
    Settings loaded = LoadFrom(kDefaultFile);
    EXPECT_EQ(WrittenBytes(loaded), kDefaultFile);
}

struct LoadCase {
    const char *line;
    const char *key;
    const char *writtenBack;
};

// Each line loaded alone into the defaults, and the line written back.
static const LoadCase kLoadCases[] = {
    {"Sinkton:2.5;", "Sinkton", "Sinkton:-0.0;"},
    {"Sinkton:-7;", "Sinkton", "Sinkton:-5.0;"},
    {"Sinkton:-1.25;", "Sinkton", "Sinkton:-1.2;"},
    {"Sinkton:  -3e0;", "Sinkton", "Sinkton:-3.0;"},
    {"Sinkton:abc;", "Sinkton", "Sinkton:-0.0;"},
    {"Sinkton:-0.0;", "Sinkton", "Sinkton:-0.0;"},
    {"Sinkton:0;", "Sinkton", "Sinkton:-0.0;"},
    {"Steigton:0.7;", "Steigton", "Steigton:0.7;"},
    {"Steigton:9;", "Steigton", "Steigton:5.0;"},
    {"Steigton:-1;", "Steigton", "Steigton:0.0;"},
    {"Steigton:inf;", "Steigton", "Steigton:0.0;"},
    {"Steigton:0x10;", "Steigton", "Steigton:0.0;"},
    {"Timeoffset:-20;", "Timeoffset", "Timeoffset:-12;"},
    {"Timeoffset:20;", "Timeoffset", "Timeoffset:13;"},
    {"Timeoffset:-5;", "Timeoffset", "Timeoffset:-5;"},
    {"Trackinterval:0;", "Trackinterval", "Trackinterval:1;"},
    {"Trackinterval:61;", "Trackinterval", "Trackinterval:60;"},
    {"Integralzeit:0;", "Integralzeit", "Integralzeit:1;"},
    {"Integralzeit:99;", "Integralzeit", "Integralzeit:60;"},
    {"Lautstaerke:12;", "Lautstaerke", "Lautstaerke:8;"},
    {"Lautstaerke:-1;", "Lautstaerke", "Lautstaerke:255;"},
    {"Lautstaerke:-300;", "Lautstaerke", "Lautstaerke:212;"},
    {"Contrast:30;", "Contrast", "Contrast:24;"},
    {"Contrast:-2;", "Contrast", "Contrast:254;"},
    {"Feld1:17;", "Feld1", "Feld1:2;"},
    {"Feld1:-1;", "Feld1", "Feld1:2;"},
    {"Feld1:258;", "Feld1", "Feld1:2;"},
    {"Feld1:272;", "Feld1", "Feld1:16;"},
    {"Feld2:17;", "Feld2", "Feld2:1;"},
    {"Feld2:16;", "Feld2", "Feld2:16;"},
    {"Sprache:8;", "Sprache", "Sprache:0;"},
    {"Sprache:7;", "Sprache", "Sprache:7;"},
    {"Unit:2;", "Unit", "Unit:0;"},
    {"Unit:1;", "Unit", "Unit:1;"},
    {"CoordinateFormat:3;", "CoordinateFormat", "CoordinateFormat:0;"},
    {"CoordinateFormat:2;", "CoordinateFormat", "CoordinateFormat:2;"},
    {"AirspaceWarnDistance:-5;", "AirspaceWarnDistance", "AirspaceWarnDistance:0;"},
    {"AirspaceWarnDistance:20000;", "AirspaceWarnDistance", "AirspaceWarnDistance:10000;"},
    {"TOffset:-5;", "TOffset", "TOffset:251;"},
    {"TOffset:300;", "TOffset", "TOffset:44;"},
    {"POffset:-12.345;", "POffset", "POffset:-12.35;"},
    // Written in full, however long.
    {"POffset:123456789.5;", "POffset", "POffset:123456792.00;"},
    {"POffset:1e39;", "POffset", "POffset:340282346638528859811704183484516925440.00;"},
    // Integers saturate as a 32-bit strtol does on the instrument's side.
    {"Feld1:4294967297;", "Feld1", "Feld1:2;"},
    {"Timeoffset:99999999999999999999;", "Timeoffset", "Timeoffset:13;"},
    {"Contrast:-99999999999999999999;", "Contrast", "Contrast:0;"},
    // The key must start the line and match in case.
    {"sinkton:-1.0;", "Sinkton", "Sinkton:-2.5;"},
    {" Sinkton:-1.0;", "Sinkton", "Sinkton:-2.5;"},
    {"Sinkton -1.0;", "Sinkton", "Sinkton:-2.5;"},
};

TEST(SetupFile, EachValueIsClampedOnLoadAndWrittenBack)
{
    for (const LoadCase &c : kLoadCases) {
        Settings loaded = LoadFrom(std::string(c.line) + "\r\n*");
        EXPECT_EQ(WrittenLine(loaded, c.key), c.writtenBack) << "line: " << c.line;
    }
}

TEST(SetupFile, LastOfRepeatedKeysCountsAndNothingAfterStar)
{
    Settings loaded = LoadFrom("Contrast:3;\r\nContrast:7;\r\n*\r\nContrast:9;\r\nUnit:1;\r\n");
    EXPECT_EQ(loaded.Contrast, 7);
    EXPECT_EQ(loaded.Unit, 0);
}

TEST(SetupFile, FileWithoutStarIsReadToItsEndInAnyOrderAndLineEnd)
{
    Settings loaded = LoadFrom("Unit:1;\nJunk line\r\nSprache:3;\rFeld2:5;\nIntegralzeit:7;");
    EXPECT_EQ(loaded.Unit, 1);
    // A lone CR does not end a line: "3;\rFeld2:5;" is one line for Sprache.
    EXPECT_EQ(loaded.Sprache, 3);
    EXPECT_EQ(loaded.Feld2, 1);
    EXPECT_EQ(loaded.Integralzeit, 7);
}

TEST(SetupFile, EndOfTextByteEndsTheFile)
{
    Settings loaded = LoadFrom(std::string("Unit:1;\r\n\x1A" "Contrast:3;\r\n"));
    EXPECT_EQ(loaded.Unit, 1);
    EXPECT_EQ(loaded.Contrast, 12);
}

TEST(SetupFile, LongLineIsReadInPiecesOf255)
{
    // The second piece of a long line starts with a key and is taken as a line.
    std::string line(255, 'x');
    Settings loaded = LoadFrom(line + "Contrast:5;\r\n*");
    EXPECT_EQ(loaded.Contrast, 5);
}

TEST(SetupFile, EveryLoadStartsFromTheDefaults)
{
    Settings loaded = LoadFrom("Contrast:3;\r\nUnit:1;\r\n*");
    ASSERT_EQ(loaded.Contrast, 3);
    Stream in;
    std::string path = ScratchFile("second.txt", "Unit:1;\r\n*");
    ASSERT_TRUE(OpenStream(&in, path.c_str(), "rt"));
    ReadSetupFile(&loaded, &in);
    CloseStream(&in);
    EXPECT_EQ(loaded.Contrast, 12);
}

TEST(SetupFile, WrittenFileReadsBackToTheSameRecord)
{
    Settings settings;
    SetDefaultSettings(&settings);
    settings.Sinkton = 1.8f;
    settings.Steigton = 0.1f;
    settings.Timeoffset = -7;
    settings.Lautstaerke = 255;
    settings.POffset = -0.75f;
    settings.TOffset = 200;
    settings.AirspaceWarnDistance = 9900;
    settings.Feld1 = 16;
    std::string first = WrittenBytes(settings);
    Settings again = LoadFrom(first);
    // Lautstaerke 255 is above the cap of 8 only as a number; as written it
    // reads back through the cap, so compare all but that one line.
    again.Lautstaerke = 255;
    EXPECT_EQ(WrittenBytes(again), first);
}

TEST(SetupFile, TooSmallBufferIsRefused)
{
    Settings settings;
    SetDefaultSettings(&settings);
    char text[100];
    EXPECT_EQ(FormatSetupFile(&settings, text, sizeof text), 0u);
}

TEST(ParseNumbers, IntegerAndRealLikeTheCLibrary)
{
    EXPECT_EQ(ParseInteger("  +42;"), 42);
    EXPECT_EQ(ParseInteger("-0"), 0);
    EXPECT_EQ(ParseInteger("12abc"), 12);
    EXPECT_EQ(ParseInteger("-"), 0);
    EXPECT_EQ(ParseInteger("\t\n7"), 7);
    EXPECT_EQ(ParseInteger("2147483648"), INT32_MAX);
    EXPECT_EQ(ParseInteger("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseInteger("-2147483649"), INT32_MIN);
    EXPECT_DOUBLE_EQ(ParseReal(" -1.5e1x"), -15.0);
    EXPECT_DOUBLE_EQ(ParseReal(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ParseReal("5."), 5.0);
    EXPECT_DOUBLE_EQ(ParseReal("2e"), 2.0);
    EXPECT_DOUBLE_EQ(ParseReal("2e+"), 2.0);
    EXPECT_DOUBLE_EQ(ParseReal("."), 0.0);
    EXPECT_DOUBLE_EQ(ParseReal("nan"), 0.0);
    EXPECT_DOUBLE_EQ(ParseReal("1,5"), 1.0);
}
