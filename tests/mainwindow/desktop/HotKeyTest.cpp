#include "mainwindow/desktop/HotKey.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

using namespace qx;

TEST(HotKeyGrab, ShortCutValuesBecomeKeySymbolsAndModifiers)
{
    struct Case {
        const char* Text;
        std::uint32_t KeySym;
        std::uint16_t Modifiers;
    };
    const Case cases[] = {
        {"Ctrl+Alt+E", 'e', kGrabControl | kGrabAlt},
        {"Shift+F1", 0xFFBE, kGrabShift},
        {"Ctrl+F24", 0xFFD5, kGrabControl},
        {"Alt+7", '7', kGrabAlt},
        {"Ctrl+Space", ' ', kGrabControl},
        {"Shift+Ctrl+Alt+PgDn", 0xFF56, kGrabShift | kGrabControl | kGrabAlt},
        {"Ctrl+Del", 0xFFFF, kGrabControl},
        {"Ctrl+@", '@', kGrabControl},
        {"Ctrl+\\", '\\', kGrabControl},
        {"Ctrl+^", '^', kGrabControl},
    };
    for (const Case& c : cases) {
        const TShortCut value = TextToShortCut(c.Text);
        ASSERT_NE(value, 0) << c.Text;
        EXPECT_EQ(ShortCutToGrab(value), (THotKeyGrab{c.KeySym, c.Modifiers})) << c.Text;
    }
    // The number pad's digits are keys of their own.
    EXPECT_EQ(ShortCutToGrab(0x60 | scCtrl), (THotKeyGrab{0xFFB0, kGrabControl}));
    EXPECT_EQ(ShortCutToGrab(0), std::nullopt);
    EXPECT_EQ(ShortCutToGrab(scCtrl | 0xFF), std::nullopt);  // a key without a symbol
}

namespace {

// A backend that holds keys like a server: a key another client holds is refused.
struct FakeBackend : THotKeyBackend {
    bool Register(int index, const THotKeyGrab& grab) override
    {
        Log.push_back("register " + std::to_string(index));
        for (const THotKeyGrab& other : HeldElsewhere)
            if (other == grab) return false;
        Keys[index] = grab;
        return true;
    }
    bool Unregister(int index) override
    {
        Log.push_back("unregister " + std::to_string(index));
        return Keys.erase(index) > 0;
    }
    void Press(int index) { OnPressed(index); }
    std::map<int, THotKeyGrab> Keys;
    std::vector<THotKeyGrab> HeldElsewhere;
    std::vector<std::string> Log;
};

} // namespace

TEST(HookHotKey, RegistersReRegistersAndUnregistersByIndex)
{
    FakeBackend backend;
    THookHotKey hotKey(backend);
    EXPECT_TRUE(hotKey.RegisterShortCut(66, TextToShortCut("Ctrl+Alt+E")));
    EXPECT_EQ(backend.Keys.at(66), (THotKeyGrab{'e', kGrabControl | kGrabAlt}));

    // The first registration of an index through ReRegister reports the key it registered.
    EXPECT_TRUE(hotKey.ReRegisterShortCut(67, TextToShortCut("Ctrl+F1")));
    EXPECT_EQ(backend.Keys.count(67), 1u);
    EXPECT_TRUE(hotKey.ReRegisterShortCut(67, TextToShortCut("Ctrl+F2")));
    EXPECT_EQ(backend.Keys.at(67).KeySym, 0xFFBFu);

    // A key held by another program is refused quietly, and the index stays free.
    backend.HeldElsewhere.push_back(THotKeyGrab{0xFFC0, kGrabControl});
    EXPECT_FALSE(hotKey.ReRegisterShortCut(67, TextToShortCut("Ctrl+F3")));
    EXPECT_EQ(backend.Keys.count(67), 0u);

    // Value 0 ("(なし)") only frees the index.
    backend.Log.clear();
    EXPECT_TRUE(hotKey.ReRegisterShortCut(66, 0));
    EXPECT_EQ(backend.Log, (std::vector<std::string>{"unregister 66"}));
    EXPECT_TRUE(backend.Keys.empty());
    EXPECT_FALSE(hotKey.RegisterShortCut(66, 0));
    EXPECT_FALSE(hotKey.UnregisterShortCut(66));
}

TEST(HookHotKey, PressesBringTheOwnerFirstOnlyWhenSomebodyListens)
{
    FakeBackend backend;
    THookHotKey hotKey(backend);
    std::string log;
    hotKey.BringOwnerToFront = [&] { log += "front "; };
    backend.Press(66);
    EXPECT_EQ(log, "") << "no handler: the owner stays where it is";

    hotKey.OnHotKey = [&](TObject* sender, int index) {
        EXPECT_EQ(sender, &hotKey);
        log += "key" + std::to_string(index) + " ";
    };
    backend.Press(66);
    hotKey.Activate = false;
    backend.Press(3);
    EXPECT_EQ(log, "front key66 key3 ");
}
