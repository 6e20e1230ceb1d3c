#include "mainwindow/desktop/HandOverFolder.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include <sys/stat.h>
#include <unistd.h>

namespace qx {
namespace {

// The checks compare with the user they are given, so that a folder of "another user" is one made
// here and checked for a different id: the same road whether the tests run as root or not.
TEST(HandOverFolder, OnlyAFolderOfTheUsersOwnWithMode0700IsUsed)
{
    test::TempDir dir;
    const uid_t me = ::geteuid(), other = me + 1;
    const std::string runtime = dir.File("run"), temp = dir.File("tmp");
    ASSERT_EQ(::mkdir(runtime.c_str(), 0700), 0);
    ASSERT_EQ(::mkdir(temp.c_str(), 0777), 0);
    const std::string own = temp + "/QxEditor-" + std::to_string(me);

    // The runtime folder when it is private; a relative one never.
    EXPECT_EQ(HandOverFolder(runtime, temp, me), runtime);
    EXPECT_EQ(HandOverFolder("run", temp, me), own);
    // Missing: made, private, and used from then on.
    struct stat st {};
    ASSERT_EQ(::lstat(own.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(HandOverFolder("", temp, me), own);

    // A runtime folder of another user (su, sudo) or open to others falls back to the user's own.
    EXPECT_EQ(HandOverFolder(runtime, temp, other), "");  // and no own folder for `other` either
    ASSERT_EQ(::chmod(runtime.c_str(), 0755), 0);
    EXPECT_EQ(HandOverFolder(runtime, temp, me), own);
}

TEST(HandOverFolder, AFolderSomebodyElsePreparedIsNeverUsed)
{
    test::TempDir dir;
    const uid_t me = ::geteuid();
    const std::string elsewhere = dir.File("elsewhere");
    ASSERT_EQ(::mkdir(elsewhere.c_str(), 0700), 0);
    const auto folder = [&](const std::string& path, mode_t mode) {
        ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    };
    struct Case {
        const char* What;
        uid_t User;
        std::function<void(const std::string&)> Prepare;
    };
    std::vector<Case> cases = {
        {"a link to a private folder", me, [&](const std::string& p) { ASSERT_EQ(::symlink(elsewhere.c_str(), p.c_str()), 0); }},
        {"mode 0777", me, [&](const std::string& p) { folder(p, 0777); }},
        {"mode 0750", me, [&](const std::string& p) { folder(p, 0750); }},
        {"another user's", me + 1, [&](const std::string& p) { folder(p, 0700); }},
        {"a file", me, [&](const std::string& p) { test::WriteBytes(p, "x"); }},
    };
    // Running as root, a folder that really belongs to somebody else.
    if (me == 0)
        cases.push_back({"chowned to nobody", me, [&](const std::string& p) {
                             folder(p, 0700);
                             ASSERT_EQ(::chown(p.c_str(), 65534, 65534), 0);
                         }});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        const std::string path = dir.Path() + "/QxEditor-" + std::to_string(c.User);
        c.Prepare(path);
        EXPECT_EQ(HandOverFolder("", dir.Path(), c.User), "");
        EXPECT_FALSE(IsPrivateFolder(path, c.User));
        std::filesystem::remove(path);
    }
}

} // namespace
} // namespace qx
