#include "installer/DesktopEntry.h"

#include <gtest/gtest.h>

using namespace qx;

TEST(DesktopExecArgument, QuotesReservedCharactersAndEscapesForTheFileFormat)
{
    struct Case {
        const char* argument;
        const char* written;  // as it stands in the .desktop file
    };
    const Case cases[] = {
        {"/opt/tool/QxEditor", "/opt/tool/QxEditor"},
        {"/home/u/My Apps/tool", "\"/home/u/My Apps/tool\""},
        {"", "\"\""},
        {"a\"b", "\"a\\\\\"b\""},          // \" inside quotes, then the backslash doubled by the file format
        {"$HOME", "\"\\\\$HOME\""},
        {"`x`", "\"\\\\`x\\\\`\""},
        {"C:\\x", "\"C:\\\\\\\\x\""},      // one backslash: \\ for Exec, \\\\ in the file
        {"100%", "100%%"},
        {"50% off", "\"50%% off\""},
        {"it's", "\"it's\""},
        {"a;b", "\"a;b\""},
        {"ファイル.txt", "ファイル.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument);
        EXPECT_EQ(DesktopExecArgument(c.argument), c.written);
    }
}

TEST(SplitArguments, ReadsBlanksAndQuotesLikeTheOriginalCommandLine)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitArguments(""), V{});
    EXPECT_EQ(SplitArguments("  /R  a.txt "), (V{"/R", "a.txt"}));
    EXPECT_EQ(SplitArguments("\"read me.txt\" /J 10"), (V{"read me.txt", "/J", "10"}));
    EXPECT_EQ(SplitArguments("x\"y z\"w \"\""), (V{"xy zw", ""}));
}

TEST(FormatDesktopEntry, WritesNameExecAndPath)
{
    const TDesktopEntry entry{"Qx エディタ", "/home/u/My Apps/QxEditor", {"/R", "read me.txt"}, "/home/u/My Apps/"};
    EXPECT_EQ(FormatDesktopEntry(entry),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=Qx エディタ\n"
              "Exec=\"/home/u/My Apps/QxEditor\" /R \"read me.txt\"\n"
              "Path=/home/u/My Apps/\n");
    const TDesktopEntry odd{" lead\\name", "/t", {}, "/a\\b"};
    const std::string text = FormatDesktopEntry(odd);
    EXPECT_NE(text.find("Name=\\slead\\\\name\n"), std::string::npos);
    EXPECT_NE(text.find("Path=/a\\\\b\n"), std::string::npos);
}
