#include "documents/SettingsFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace qx {
namespace {

ino_t Inode(const std::string& Path)
{
    struct stat St {};
    EXPECT_EQ(::stat(Path.c_str(), &St), 0);
    return St.st_ino;
}

// The safe write renames a new file into place: the same inode means no write happened.
TEST(SettingsFile, AStoreThatChangesNothingWritesNothing)
{
    test::TempDir Dir;
    const std::string Path = Dir.File("QxEditor.ini");
    auto Ini = OpenSettingsFile(Path);
    ASSERT_TRUE(Ini);
    Ini->WriteString("Search", "GrepSubDir", "1");
    ASSERT_TRUE(WriteSettingsFile(*Ini, kMainSettingsTitle));
    const std::string Written = test::ReadBytes(Path);
    const ino_t First = Inode(Path);

    auto Again = OpenSettingsFile(Path);
    ASSERT_TRUE(Again);
    Again->WriteString("Search", "GrepSubDir", "1");
    EXPECT_TRUE(WriteSettingsFile(*Again, kMainSettingsTitle));
    EXPECT_EQ(Inode(Path), First);

    // A new value, or only a new header, is written.
    Again->WriteString("Search", "GrepSubDir", "0");
    EXPECT_TRUE(WriteSettingsFile(*Again, kMainSettingsTitle));
    EXPECT_NE(Inode(Path), First);
    EXPECT_NE(test::ReadBytes(Path).find("GrepSubDir=0"), std::string::npos);
    const ino_t Second = Inode(Path);
    EXPECT_TRUE(WriteSettingsFile(*Again, ""));
    EXPECT_NE(Inode(Path), Second);
    EXPECT_NE(test::ReadBytes(Path), Written);
}

} // namespace
} // namespace qx
