// Text and binary streams: the bytes on disk and what reading gives back.
#include <gtest/gtest.h>

#include <string>

#include "device/stream.h"
#include "tests/native/scratch.h"

static std::string ReadAllText(const std::string &path)
{
    Stream in;
    EXPECT_TRUE(OpenStream(&in, path.c_str(), "rt"));
    std::string text;
    for (int c; (c = ReadChar(&in)) != EOF;)
        text += (char)c;
    CloseStream(&in);
    return text;
}

TEST(Stream, TextModeWritesCrLfAndBinaryWritesBytes)
{
    std::string path = ScratchPath("text.txt");
    Stream out;
    ASSERT_TRUE(OpenStream(&out, path.c_str(), "wt"));
    WriteText(&out, "G  WGS 84\nU  1\n\nend");
    ASSERT_TRUE(CloseStream(&out));
    EXPECT_EQ(ReadFileBytes(path), "G  WGS 84\r\nU  1\r\n\r\nend");

    ASSERT_TRUE(OpenStream(&out, path.c_str(), "wb"));
    WriteText(&out, "ID\nx\n");
    ASSERT_TRUE(CloseStream(&out));
    EXPECT_EQ(ReadFileBytes(path), "ID\nx\n");
}

TEST(Stream, TextModeReadingTranslatesLikeTheWindowsRuntime)
{
    struct { const char *bytes; const char *text; } cases[] = {
        {"a\r\nb\r\n", "a\nb\n"},
        {"a\nb", "a\nb"},
        {"a\rb\r", "a\rb\r"},          // a lone CR stays
        {"a\r\r\nb", "a\r\nb"},
        {"ab\x1A" "cd", "ab"},          // 0x1A ends the text
        {"", ""},
    };
    for (auto &c : cases)
        EXPECT_EQ(ReadAllText(ScratchFile("read.txt", c.bytes)), c.text) << c.bytes;
}

TEST(Stream, BinaryReadingKeepsEveryByte)
{
    std::string bytes("a\r\n\x1A\0z", 6);
    std::string path = ScratchFile("bin.dat", bytes);
    Stream in;
    ASSERT_TRUE(OpenStream(&in, path.c_str(), "rb"));
    EXPECT_EQ(StreamLength(&in), 6);
    char buffer[16];
    ASSERT_EQ(ReadBytes(&in, buffer, sizeof buffer), 6u);
    EXPECT_EQ(std::string(buffer, 6), bytes);
    CloseStream(&in);
}

TEST(Stream, ReadLineStopsAfterLineFeedOrWhenFull)
{
    std::string path = ScratchFile("lines.txt", "12345\r\n678");
    Stream in;
    ASSERT_TRUE(OpenStream(&in, path.c_str(), "rt"));
    char line[4];
    ASSERT_TRUE(ReadLine(&in, line, sizeof line));
    EXPECT_STREQ(line, "123");
    ASSERT_TRUE(ReadLine(&in, line, sizeof line));
    EXPECT_STREQ(line, "45\n");
    ASSERT_TRUE(ReadLine(&in, line, sizeof line));
    EXPECT_STREQ(line, "678");
    EXPECT_FALSE(ReadLine(&in, line, sizeof line));
    CloseStream(&in);
}

TEST(Stream, FailedWritesAreReportedAtClose)
{
    Stream out;
    ASSERT_TRUE(OpenStream(&out, "/dev/full", "wt"));
    WriteText(&out, std::string(100000, 'x').c_str());
    EXPECT_FALSE(CloseStream(&out));
    EXPECT_FALSE(OpenStream(&out, "/nonexistent-folder/x.txt", "wt"));
}

TEST(Stream, ReplaceWithFileSwapsInTheNewFile)
{
    std::string target = ScratchFile("target.txt", "old");
    std::string temp = ScratchFile("target.tmp", "new");
    EXPECT_TRUE(ReplaceWithFile(temp.c_str(), target.c_str()));
    EXPECT_EQ(ReadFileBytes(target), "new");
    EXPECT_FALSE(ReplaceWithFile(temp.c_str(), target.c_str()));
    EXPECT_EQ(ReadFileBytes(target), "new");
}
