#include "installer/KeyStore.h"
#include "InstallerFixture.h"

#include <gtest/gtest.h>

using namespace qx;
using namespace qx::test;

TEST(TKeyStore, NormalKeyNeedsARootAndAPathBelowIt)
{
    EXPECT_EQ(TKeyStore::NormalKey("HKEY_CURRENT_USER\\Software\\Tool"), "HKEY_CURRENT_USER\\Software\\Tool");
    EXPECT_EQ(TKeyStore::NormalKey("hkey_local_machine\\\\SOFTWARE\\Tool\\"), "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tool");
    EXPECT_EQ(TKeyStore::NormalKey("HKEY_CLASSES_ROOT\\.qxp"), "HKEY_CLASSES_ROOT\\.qxp");
    for (const char* key : {"", "HKEY_CURRENT_USER", "HKEY_CURRENT_USER\\", "HKEY_CURRENT_USER\\\\\\",
                            "HKEY_USERS\\x", "Software\\Tool", "\\HKEY_CURRENT_USER\\x"}) {
        SCOPED_TRACE(key);
        EXPECT_FALSE(TKeyStore::NormalKey(key));
    }
}

TEST(TKeyStore, KeepsValuesAndDeletesWholeTrees)
{
    TempHome home;
    const std::string file = (home.Home / "keys.ini").string();
    {
        TKeyStore store(file);
        EXPECT_TRUE(store.WriteString("HKEY_CURRENT_USER\\Software\\Tool", "a", "\"/x y/setup\" /r"));
        EXPECT_TRUE(store.WriteString("HKEY_CURRENT_USER\\Software\\Tool\\Sub\\Deeper", "b", "2"));
        EXPECT_TRUE(store.WriteString("HKEY_CURRENT_USER\\Software\\ToolBox", "c", "3"));
        EXPECT_TRUE(store.WriteString("HKEY_LOCAL_MACHINE\\Software\\Tool", "d", "4"));
        EXPECT_FALSE(store.WriteString("HKEY_CURRENT_USER\\", "e", "5"));
        store.UpdateFile();
    }
    TKeyStore store(file);
    EXPECT_EQ(store.ReadString("hkey_current_user\\software\\tool", "A"), "\"/x y/setup\" /r");
    EXPECT_TRUE(store.DeleteKeyTree("HKEY_CURRENT_USER\\SOFTWARE\\TOOL"));
    EXPECT_EQ(store.ReadString("HKEY_CURRENT_USER\\Software\\Tool", "a"), "");
    EXPECT_EQ(store.ReadString("HKEY_CURRENT_USER\\Software\\Tool\\Sub\\Deeper", "b"), "");
    EXPECT_EQ(store.ReadString("HKEY_CURRENT_USER\\Software\\ToolBox", "c"), "3");  // a sibling, not a child
    EXPECT_EQ(store.ReadString("HKEY_LOCAL_MACHINE\\Software\\Tool", "d"), "4");    // another root
    EXPECT_FALSE(store.DeleteKeyTree("HKEY_CURRENT_USER\\"));
    EXPECT_EQ(store.ReadString("HKEY_CURRENT_USER\\Software\\ToolBox", "c"), "3");
}
