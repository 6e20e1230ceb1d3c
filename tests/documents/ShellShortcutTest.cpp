#include "documents/ShellShortcut.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>

namespace qx {
namespace {

namespace fs = std::filesystem;

void WriteFile(const std::string& Path, const std::string& Bytes) { std::ofstream(Path, std::ios::binary) << Bytes; }

TEST(ShellShortcut, UrlsNameLocalFilesOnly)
{
    struct Case {
        const char* Url;
        const char* Path;  // nullptr: no local file
    };
    const Case cases[] = {
        {"file:///home/u/a.txt", "/home/u/a.txt"},
        {"FILE://localhost/home/u/a.txt", "/home/u/a.txt"},
        {"file:/home/u/a.txt", "/home/u/a.txt"},
        {"file:///home/u/%E6%97%A5%20b%2fc.txt", "/home/u/日 b/c.txt"},
        {"file:///tmp/100%.txt", "/tmp/100%.txt"},       // a "%" that starts no escape stays
        {"file:///tmp/a%2", "/tmp/a%2"},
        {"file:///tmp/a.txt#part", "/tmp/a.txt"},
        {"notes/a.txt", "/base/notes/a.txt"},              // relative to the entry's folder
        {"../a%20b.txt", "/a b.txt"},
        {"/abs/a.txt", "/abs/a.txt"},
        {"file://otherhost/home/u/a.txt", nullptr},
        {"https://example.org/a.txt", nullptr},
        {"//host/share/a.txt", nullptr},
        {"file://localhost", nullptr},
        {"file:relative.txt", nullptr},
        {"file:///tmp/a%00b", nullptr},
        {"", nullptr},
    };
    for (const Case& c : cases) {
        const std::optional<std::string> path = LocalPathOfUrl(c.Url, "/base");
        if (c.Path)
            EXPECT_EQ(path, std::optional<std::string>(c.Path)) << c.Url;
        else
            EXPECT_EQ(path, std::nullopt) << c.Url;
    }
}

TEST(ShellShortcut, DesktopEntriesOfTypeLinkResolveToTheirFile)
{
    test::TempDir dir;
    struct Case {
        const char* Name;
        const char* Text;
        std::string Path;  // empty: no shortcut
    };
    const std::string d = fs::canonical(dir.Path()).string();
    const Case cases[] = {
        {"link.desktop", "[Desktop Entry]\nType=Link\nName=Notes\nURL=file://" "/srv/notes.txt\n", "/srv/notes.txt"},
        {"crlf.desktop", "# made by hand\r\n\r\n[Desktop Entry]\r\nType = Link\r\nURL = sub/x%20y.txt\r\n",
         d + "/sub/x y.txt"},
        {"escaped.desktop", "[Desktop Entry]\nType=Link\nURL=/srv/a\\sb.txt\n", "/srv/a b.txt"},
        {"first.desktop", "[Desktop Entry]\nType=Link\nURL=/one\nURL=/two\n[Other]\nURL=/three\n", "/one"},
        {"missing.desktop", "[Desktop Entry]\nType=Link\nURL=gone.txt\n", d + "/gone.txt"},  // named all the same
        {"CAPS.DESKTOP", "[Desktop Entry]\nType=Link\nURL=/srv/c.txt\n", "/srv/c.txt"},
        {"app.desktop", "[Desktop Entry]\nType=Application\nExec=vi /srv/a.txt\nURL=/srv/a.txt\n", ""},
        {"web.desktop", "[Desktop Entry]\nType=Link\nURL=https://example.org/\n", ""},
        {"nourl.desktop", "[Desktop Entry]\nType=Link\n", ""},
        {"othergroup.desktop", "[Other]\nType=Link\nURL=/srv/a.txt\n[Desktop Entry]\nType=Link\nURL=/srv/b.txt\n", ""},
        {"lowertype.desktop", "[Desktop Entry]\ntype=Link\nurl=/srv/a.txt\n", ""},  // keys are case-sensitive
        {"plain.txt", "[Desktop Entry]\nType=Link\nURL=/srv/a.txt\n", ""},          // not a ".desktop" file
        {"empty.desktop", "", ""},
    };
    for (const Case& c : cases) {
        WriteFile(dir.File(c.Name), c.Text);
        const std::optional<TShellShortcut> link = ResolveShortcut(dir.File(c.Name));
        if (c.Path.empty()) {
            EXPECT_EQ(link, std::nullopt) << c.Name;
            EXPECT_EQ(ShortcutTarget(dir.File(c.Name)), dir.File(c.Name)) << c.Name;
        } else {
            ASSERT_TRUE(link) << c.Name;
            EXPECT_EQ(link->Path, c.Path) << c.Name;
            EXPECT_EQ(ShortcutTarget(dir.File(c.Name)), c.Path) << c.Name;
        }
    }
    WriteFile(dir.File("full.desktop"),
              "[Desktop Entry]\nType=Link\nName=Notes\nComment=Team notes\nPath=/srv\nURL=/srv/n.txt\n");
    const std::optional<TShellShortcut> full = ResolveShortcut(dir.File("full.desktop"));
    ASSERT_TRUE(full);
    EXPECT_EQ(full->WorkingFolder, "/srv");
    EXPECT_EQ(full->Description, "Team notes");
    EXPECT_EQ(ResolveShortcut(dir.File("link.desktop"))->Description, "Notes");
}

TEST(ShellShortcut, SymbolicLinksResolveToTheFileTheirChainEndsAt)
{
    test::TempDir dir;
    const std::string real = fs::canonical(dir.Path()).string();
    fs::create_directory(dir.File("sub"));
    WriteFile(dir.File("sub/a.txt"), "a");
    fs::create_symlink("sub/a.txt", dir.File("one"));
    fs::create_symlink("one", dir.File("two"));
    fs::create_symlink("nowhere.txt", dir.File("dangling"));
    fs::create_symlink("loop2", dir.File("loop1"));
    fs::create_symlink("loop1", dir.File("loop2"));
    EXPECT_EQ(ShortcutTarget(dir.File("two")), real + "/sub/a.txt");
    EXPECT_EQ(ShortcutTarget(dir.File("dangling")), real + "/nowhere.txt");
    EXPECT_EQ(ShortcutTarget(dir.File("loop1")), dir.File("loop1"));
    // Not shortcuts: a plain file, a folder, a missing name, an unreadable entry in a FIFO's place.
    EXPECT_EQ(ResolveShortcut(dir.File("sub/a.txt")), std::nullopt);
    EXPECT_EQ(ResolveShortcut(dir.File("sub")), std::nullopt);
    EXPECT_EQ(ResolveShortcut(dir.File("absent.desktop")), std::nullopt);
    ASSERT_EQ(::mkfifo(dir.File("fifo.desktop").c_str(), 0600), 0);
    EXPECT_EQ(ResolveShortcut(dir.File("fifo.desktop")), std::nullopt);
}

} // namespace
} // namespace qx
