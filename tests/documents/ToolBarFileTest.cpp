#include "documents/MainSettings.h"
#include "documents/ToolBarFile.h"
#include "SettingsFolderTest.h"

#include <filesystem>

using namespace qx;
using qx::test::ReadBytes;
using qx::test::WriteBytes;

namespace {

class ToolBarFileTest : public qx::test::SettingsFolderTest {
protected:
    std::string Bar() const { return File(ToolBarFileName); }
};

} // namespace

TEST_F(ToolBarFileTest, WithoutABarFileBothBarsGetTheDefaultsAndTheFirstCloseWritesThem)
{
    LoadToolBarSettings(State);
    EXPECT_EQ(State.UserToolBar1, DefaultUserToolBar(1));
    EXPECT_EQ(State.UserToolBar2, DefaultUserToolBar(2));
    EXPECT_EQ(State.UserToolBar1.size(), 20u);
    EXPECT_EQ(State.UserToolBar2.front(), 26);
    SaveMainSettings(State);
    EXPECT_EQ(ReadBytes(Bar()), ReadBytes(qx::test::kSettingsData + "default-bars.bar"));

    // Loading and saving again is byte-identical.
    LoadToolBarSettings(State);
    SaveMainSettings(State);
    EXPECT_EQ(ReadBytes(Bar()), ReadBytes(qx::test::kSettingsData + "default-bars.bar"));
}

TEST_F(ToolBarFileTest, ValuesThatAreNoCommandAreSkipped)
{
    WriteBytes(Bar(), "[ToolBar1]\r\nNum1=5\r\nNum2=1234\r\nNum3=abc\r\nNum4=99\r\nNum5=83\r\nNum6=-1\r\n"
                      "NoValue\r\nNum7=\r\nNum8= 82 \r\nNum9=0\r\nNum10=98\r\n");
    LoadToolBarSettings(State);
    EXPECT_EQ(State.UserToolBar1, (std::vector<int>{5, 99, 82, 0}));
    // A bar file without the bar's section: the default layout.
    EXPECT_EQ(State.UserToolBar2, DefaultUserToolBar(2));
}

TEST_F(ToolBarFileTest, AnEmptyBarStaysEmpty)
{
    LoadToolBarSettings(State);
    State.UserToolBar1.clear();
    SaveMainSettings(State);
    EXPECT_NE(ReadBytes(Bar()).find("[ToolBar1]\r\n\r\n"), std::string::npos);
    LoadToolBarSettings(State);
    EXPECT_TRUE(State.UserToolBar1.empty());
    EXPECT_EQ(State.UserToolBar2, DefaultUserToolBar(2));
}

TEST_F(ToolBarFileTest, ABarThatIsOffIsNeitherLoadedNorSaved)
{
    WriteBytes(State.ProgramFile(IniFileName), "[ToolBar]\r\nLoadToolBar2=0\r\nUserToolBar2=0\r\nUserToolBarTop2=7\r\n"
                                               "UserToolBarTop=8\r\n");
    WriteBytes(Bar(), "[ToolBar2]\r\nNum1=3\r\nKept=as it is\r\n");
    LoadToolBarSettings(State);
    EXPECT_FALSE(State.Settings.ToolBar.LoadToolBar2);
    EXPECT_TRUE(State.Settings.ToolBar.UserToolBar2);        // not read while the bar is off
    EXPECT_EQ(State.Settings.ToolBar.UserToolBarTop2, 39);
    EXPECT_EQ(State.Settings.ToolBar.UserToolBarTop, 8);
    EXPECT_EQ(State.UserToolBar1, DefaultUserToolBar(1));  // the file has no [ToolBar1]
    EXPECT_TRUE(State.UserToolBar2.empty());

    State.UserToolBar1 = {7, 99, 8};
    SaveMainSettings(State);
    TMemIniFile bar(Bar());
    TStringList lines;
    bar.ReadSectionValues("ToolBar2", lines);
    EXPECT_EQ(lines.Text(), "Num1=3\r\nKept=as it is\r\n");
    bar.ReadSectionValues("ToolBar1", lines);
    EXPECT_EQ(lines.Text(), "Num1=7\r\nNum2=99\r\nNum3=8\r\n");
}
