#include "documents/DocumentCodes.h"
#include "documents/StatusBar.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

struct FixedProbe : TLockKeyProbe {
    std::optional<bool> Num, Caps;
    std::optional<bool> NumLock() const override { return Num; }
    std::optional<bool> CapsLock() const override { return Caps; }
};

class StatusBarTest : public testing::Test {
protected:
    TGlobalState State;
    TStatusBarModel Model{State};
    TStatusSnapshot Snap;

    void Refresh()
    {
        Model.UpdateTextLength(&Snap);
        Model.RefreshStatusBar(&Snap);
    }
    const std::string& Panel(int I) const { return Model.Panels()[I]; }
};

TEST_F(StatusBarTest, EmptyDocumentPaddedAndPlain)
{
    Refresh();
    EXPECT_EQ(Panel(0), "00001 : 001");
    EXPECT_EQ(Panel(1), "000000 / 000000");
    EXPECT_EQ(Panel(4), "挿入");
    EXPECT_EQ(Panel(7), "編集");
    EXPECT_EQ(Panel(8), "SJIS");
    EXPECT_EQ(Panel(9), "CR+LF");
    State.Settings.StatusBar.PosZeroVisibled = false;
    State.Settings.StatusBar.SizeZeroVisibled = false;
    Refresh();
    EXPECT_EQ(Panel(0), "1 : 1");
    EXPECT_EQ(Panel(1), "0 / 0");
}

TEST_F(StatusBarTest, FiguresAndStates)
{
    State.Settings.StatusBar.PosZeroVisibled = false;
    State.Settings.StatusBar.SizeZeroVisibled = false;
    Snap.Row = 41;
    Snap.Line = 30;
    Snap.Col = 7;
    Snap.SelStart = 3000000000LL;  // past 32 bits
    Snap.TextLength = 4000000000LL;
    Snap.OverWrite = true;
    Snap.CharType = sfctUnicodeBig;
    Snap.RtrnType = sfrtLF;
    Refresh();
    EXPECT_EQ(Panel(0), "42 : 8");
    EXPECT_EQ(Panel(1), "3000000000 / 4000000000");
    EXPECT_EQ(Panel(4), "上書");
    EXPECT_EQ(Panel(8), "Unicode(B)");
    EXPECT_EQ(Panel(9), "LF");
    State.Settings.StatusBar.RowByLog = true;
    Refresh();
    EXPECT_EQ(Panel(0), "31 : 8");

    // Opened read-only wins over a read-only editor.
    Snap.ReadOnly = true;
    Refresh();
    EXPECT_EQ(Panel(7), "書禁");
    Snap.OpenReadOnly = true;
    Refresh();
    EXPECT_EQ(Panel(7), "読専");

    // No focused editor: nothing changes.
    Model.RefreshStatusBar(nullptr);
    Model.UpdateTextLength(nullptr);
    EXPECT_EQ(Panel(7), "読専");
    EXPECT_EQ(State.TextLengthValue, 4000000000LL);
}

TEST_F(StatusBarTest, ColumnInCharacters)
{
    State.Settings.StatusBar.PosZeroVisibled = false;
    const std::string Row = Utf8ToCp932("あい\tx");
    Snap.RowText = Row;
    Snap.TabSpaceCount = 8;
    Snap.Col = 4;  // after two double-byte characters
    Refresh();
    EXPECT_EQ(Panel(0), "1 : 5");
    State.Settings.StatusBar.ColByChar = true;
    Refresh();
    EXPECT_EQ(Panel(0), "1 : 3");

    // A tab is one character however wide it shows; columns past the row end count one each.
    struct Case {
        int Col, TabSpaceCount, WrapByte, Expected;
    };
    const Case Cases[] = {
        {0, 8, 0, 0}, {2, 8, 0, 1}, {8, 8, 0, 3}, {9, 8, 0, 4}, {12, 8, 0, 7},
        // With word wrap on a tab stops at the wrap column too.
        {6, 8, 6, 3}, {7, 8, 6, 4},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(CharacterColumn(Row, C.Col, C.TabSpaceCount, C.WrapByte), C.Expected) << C.Col << " " << C.WrapByte;
}

TEST_F(StatusBarTest, LockKeysModifiedAndFreeText)
{
    FixedProbe Probe;
    Probe.Num = true;
    Probe.Caps = false;
    Model.UpdateLockKeys(Probe);
    EXPECT_EQ(Panel(5), "NUM");
    EXPECT_EQ(Panel(6), "");
    Probe.Num.reset();  // unknown
    Probe.Caps = true;
    Model.UpdateLockKeys(Probe);
    EXPECT_EQ(Panel(5), "");
    EXPECT_EQ(Panel(6), "CAP");
    Model.SetModified(true);
    EXPECT_EQ(Panel(2), "更新");
    Model.SetModified(false);
    EXPECT_EQ(Panel(2), "");
    Model.SetFreeText("空き 1.2 GB");
    EXPECT_EQ(Panel(10), "空き 1.2 GB");
}

} // namespace
} // namespace qx
