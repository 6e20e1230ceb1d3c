#include "documents/SettingsFile.h"
#include "documents/SettingsValue.h"
#include "documents/ShippedFile.h"
#include "platform/IniFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using namespace qx;
using qx::test::ReadBytes;
using qx::test::TempDir;
using qx::test::WriteBytes;

TEST(WriteSettingsValue, ChangesOnlyTheKeysLine)
{
    struct Case {
        const char* Name;
        std::string Before;
        std::string After;
    };
    const std::string head = "// header\r\n\r\n[Basic]\r\nA=\"x\"\r\n\r\n";
    const Case cases[] = {
        {"key rewritten with the file's spelling and blanks dropped",
         head + "[onepoint]\r\n ShowATStart = 1\r\n; note\r\nOther=2\r\n\r\n[Z]\r\n",
         head + "[onepoint]\r\nShowATStart=0\r\n; note\r\nOther=2\r\n\r\n[Z]\r\n"},
        {"key added after the section's last line",
         head + "[OnePoint]\r\nOther=2\r\n\r\n[Z]\r\nK=1\r\n",
         head + "[OnePoint]\r\nOther=2\r\nShowAtStart=0\r\n\r\n[Z]\r\nK=1\r\n"},
        {"section added at the end", head, head + "[OnePoint]\r\nShowAtStart=0\r\n\r\n"},
        {"a last line without its end is ended first", "[A]\r\nK=1", "[A]\r\nK=1\r\n[OnePoint]\r\nShowAtStart=0\r\n\r\n"},
        {"LF files stay LF", "[OnePoint]\nOther=2", "[OnePoint]\nOther=2\nShowAtStart=0\n"},
        {"a commented key does not count", "[OnePoint]\r\n;ShowAtStart=1\r\n",
         "[OnePoint]\r\n;ShowAtStart=1\r\nShowAtStart=0\r\n"},
        {"a section named twice: the first key counts", "[OnePoint]\r\nX=1\r\n[B]\r\n[OnePoint]\r\nShowAtStart=1\r\n",
         "[OnePoint]\r\nX=1\r\n[B]\r\n[OnePoint]\r\nShowAtStart=0\r\n"},
        {"the same key in another section is left", "[B]\r\nShowAtStart=1\r\n[OnePoint]\r\n",
         "[B]\r\nShowAtStart=1\r\n[OnePoint]\r\nShowAtStart=0\r\n"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string ini = dir.File("QxEditor.ini");
        WriteBytes(ini, c.Before);
        EXPECT_TRUE(WriteSettingsValue(ini, "OnePoint", "ShowAtStart", "0", kMainSettingsTitle)) << c.Name;
        EXPECT_EQ(ReadBytes(ini), c.After) << c.Name;
        EXPECT_FALSE(TMemIniFile(ini).ReadBool("OnePoint", "ShowAtStart", true)) << c.Name;
    }
}

TEST(WriteSettingsValue, AMissingFileGetsTheHeaderAndAnUnreadableOneIsLeft)
{
    TempDir dir;
    const std::string ini = dir.File("QxEditor.ini");
    EXPECT_TRUE(WriteSettingsValue(ini, "OnePoint", "ShowAtStart", "1", kMainSettingsTitle));
    TMemIniFile written(ini);
    written.SetHeader(SettingsFileHeader(kMainSettingsTitle));
    EXPECT_EQ(ReadBytes(ini), written.FileBytes());

    // A folder in the file's place cannot be read: nothing is written.
    const std::string folder = dir.File("folder.ini");
    std::filesystem::create_directory(folder);
    EXPECT_FALSE(WriteSettingsValue(folder, "OnePoint", "ShowAtStart", "1", kMainSettingsTitle));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

TEST(ShippedFile, ProgramFolderThenBesideTheExecutableThenShare)
{
    TempDir dir;
    const std::string home = dir.Path() + "/home/";
    const std::string exe = dir.Path() + "/prefix/bin/QxEditor";
    EXPECT_EQ(ShippedFileCandidates("QxEditor.tip", home, exe),
              (std::vector<std::string>{home + "QxEditor.tip", dir.Path() + "/prefix/bin/QxEditor.tip",
                                        dir.Path() + "/prefix/share/qxeditor/QxEditor.tip"}));
    EXPECT_EQ(FindShippedFile("QxEditor.tip", home, exe), "");

    std::filesystem::create_directories(dir.Path() + "/prefix/share/qxeditor");
    std::filesystem::create_directories(dir.Path() + "/prefix/bin");
    std::filesystem::create_directories(home);
    WriteBytes(dir.Path() + "/prefix/share/qxeditor/QxEditor.tip", "share");
    EXPECT_EQ(FindShippedFile("QxEditor.tip", home, exe), dir.Path() + "/prefix/share/qxeditor/QxEditor.tip");
    std::filesystem::create_directory(dir.Path() + "/prefix/bin/QxEditor.tip");  // a folder is no file
    EXPECT_EQ(FindShippedFile("QxEditor.tip", home, exe), dir.Path() + "/prefix/share/qxeditor/QxEditor.tip");
    WriteBytes(home + "QxEditor.tip", "own");
    EXPECT_EQ(FindShippedFile("QxEditor.tip", home, exe), home + "QxEditor.tip");
}
