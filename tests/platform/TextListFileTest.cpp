#include "platform/Cp932.h"
#include "platform/Exception.h"
#include "platform/TextListFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace qx;
using qx::test::ReadBytes;
using qx::test::TempDir;
using qx::test::WriteBytes;

TEST(TextListFile, SavesShiftJisLinesWithCrLfAndReadsThemBack)
{
    TempDir dir;
    const std::string path = dir.File("word2.dat");
    TStringList lines;
    lines.Add(Utf8ToCp932("好きな文字列"));
    lines.Add("");
    lines.Add("(^^)v");
    SaveTextList(path, lines);
    EXPECT_EQ(ReadBytes(path), "\x8D\x44\x82\xAB\x82\xC8\x95\xB6\x8E\x9A\x97\xF1\r\n\r\n(^^)v\r\n");

    TStringList back;
    back.Add("stale");
    ASSERT_TRUE(LoadTextList(path, back));
    EXPECT_EQ(back.Items(), lines.Items());

    SaveTextList(path, TStringList());   // an empty list is an empty file, replacing the old one
    EXPECT_EQ(ReadBytes(path), "");
}

TEST(TextListFile, ReadsAnyLineEndAndReportsAMissingFile)
{
    TempDir dir;
    const std::string path = dir.File("Command");
    WriteBytes(path, "a\nb\rc\r\nd");
    TStringList lines;
    ASSERT_TRUE(LoadTextList(path, lines));
    EXPECT_EQ(lines.Items(), (std::vector<std::string>{"a", "b", "c", "d"}));

    EXPECT_FALSE(LoadTextList(dir.File("missing"), lines));
    EXPECT_TRUE(lines.Empty());

    std::filesystem::create_directory(dir.File("folder"));
    EXPECT_THROW(LoadTextList(dir.File("folder"), lines), EFOpenError);
    EXPECT_THROW(SaveTextList(dir.File("no/such/folder/file"), lines), EInOutError);
}
