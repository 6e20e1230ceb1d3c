#include "documents/EditorEnvironment.h"
#include "documents/SettingsCodec.h"
#include "documents/SettingsFile.h"
#include "platform/Cp932.h"
#include "SettingsFolderTest.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qx {
namespace {

using test::ReadBytes;
using test::WriteBytes;

// Every key's value as text, in table order, so that two environments can be compared key by key.
struct ValueCollector {
    std::vector<std::string> Values;
    void Bool(std::string_view Key, bool V) { Values.push_back(std::string(Key) + "=" + (V ? "1" : "0")); }
    void Int(std::string_view Key, int V) { Values.push_back(std::string(Key) + "=" + std::to_string(V)); }
    void Str(std::string_view Key, const std::string& V) { Values.push_back(std::string(Key) + "=" + V); }
    void Color(std::string_view Key, TColor V) { Values.push_back(std::string(Key) + "=" + ColorToString(V)); }
    void Style(std::string_view Key, TFontStyles V) { Int(Key, FontStylesToInt(V)); }
};

// Gives every key a value other than its default.
struct ValueChanger {
    int N = 0;
    void Bool(std::string_view, bool& V) { V = !V; }
    void Int(std::string_view, int& V) { V += 7 + N++; }
    void Str(std::string_view, std::string& V) { V = " " + Utf8ToCp932("値") + std::to_string(N++) + " "; }
    void Color(std::string_view, TColor& V) { V = RGBColor(1, 2, N++ & 0xFF); }
    void Style(std::string_view, TFontStyles& V) { V = TFontStyles::FromBits(~V.Bits()); }
};

std::vector<std::string> ValuesOf(const TEditorEnvironment& E)
{
    ValueCollector C;
    C.Str("EnvironmentName", E.EnvironmentName);
    for (const std::string& Pattern : E.FileExt) C.Str("FileExt", Pattern);
    EnvironmentKeys(C, E);
    for (int L = 0; L < 3; ++L)
        for (const std::string& W : E.HilightWords[L]) C.Str(std::to_string(L + 1), W);
    return C.Values;
}

class EditorEnvironmentTest : public test::SettingsFolderTest {
protected:
    void WriteEnvironment(int N, const std::string& Name, const std::string& Ext = "")
    {
        TEditorEnvironment E;
        E.EnvironmentName = Name;
        TStringList Patterns;
        SplitBySemicolon(Ext, Patterns);
        E.FileExt = Patterns.Items();
        ASSERT_TRUE(SaveEnvironmentFile(E, EnvironmentFileName(State, N)));
    }
};

TEST_F(EditorEnvironmentTest, EveryKeyRoundTripsAndAMissingFileGivesEveryDefault)
{
    const std::optional<TEditorEnvironment> Missing = LoadEnvironmentFile(File("qxeenv4.ini"));
    ASSERT_TRUE(Missing);
    EXPECT_EQ(ValuesOf(*Missing), ValuesOf(TEditorEnvironment()));
    EXPECT_EQ(Missing->FontName, Utf8ToCp932("ＭＳ ゴシック"));
    EXPECT_EQ(Missing->MailAddressStyle, TFontStyles(fsUnderline));

    TEditorEnvironment Changed;
    ValueChanger Changer;
    EnvironmentKeys(Changer, Changed);
    Changed.EnvironmentName = Utf8ToCp932("テキスト & メモ");
    Changed.FileExt = {"*.txt", "*.log"};
    Changed.HilightWords[0] = {"begin", "a=b", "[x]"};
    Changed.HilightWords[2] = {Utf8ToCp932("語")};
    ASSERT_TRUE(SaveEnvironment(State, Changed, Changed.EnvironmentName, 4, ""));
    const std::optional<TEditorEnvironment> Loaded = LoadEnvironmentToDialog(State, "", 4);
    ASSERT_TRUE(Loaded);
    EXPECT_EQ(ValuesOf(*Loaded), ValuesOf(Changed));
    EXPECT_NE(ValuesOf(*Loaded), ValuesOf(TEditorEnvironment()));
}

TEST_F(EditorEnvironmentTest, FileLayoutEndsWithTheWordLists)
{
    TEditorEnvironment E;
    E.EnvironmentName = "Text";
    E.FileExt = {"*.txt", "*.log"};
    E.HilightWords[0] = {"one"};
    E.HilightWords[1] = {"two"};
    ASSERT_TRUE(SaveEnvironmentFile(E, File("qxeenv1.ini")));
    const std::string Bytes = ReadBytes(File("qxeenv1.ini"));
    const std::string Start = Utf8ToCp932("// QxEditor for Windows エディタ環境設定ファイル\r\n"
                                          "// --------------------------------------------\r\n\r\n"
                                          "[Application]\r\nTitle=QxEditor for Windows\r\nVersion=\"3.7.9-Jr5\"\r\n\r\n"
                                          "[EditorEnvironment]\r\nEnvironmentName=\"Text\"\r\n"
                                          "FileExt=\"*.txt;*.log;\"\r\nEditImeOn=0\r\n");
    EXPECT_EQ(Bytes.substr(0, Start.size()), Start);
    EXPECT_NE(Bytes.find("FontName=\"" + Utf8ToCp932("ＭＳ ゴシック") + "\"\r\n"), std::string::npos);
    EXPECT_NE(Bytes.find("EditNorStrColor1=\"clBlack\"\r\n"), std::string::npos);
    const std::string End = "Hilight=0\r\n\r\n[EditorHilightStrings]\r\n[1]one\r\n[2]two\r\n";
    ASSERT_GE(Bytes.size(), End.size());
    EXPECT_EQ(Bytes.substr(Bytes.size() - End.size()), End);
}

TEST_F(EditorEnvironmentTest, SavingKeepsOtherSectionsAndReplacesTheWords)
{
    WriteBytes(File("qxeenv2.ini"), "[Mine]\r\nKeep=1\r\n[EditorEnvironment]\r\nEnvironmentName=\"Old\"\r\n"
                                    "EditNorStrColor1=\"notacolour\"\r\nTabSpaceCount=x\r\n"
                                    "[EditorHilightStrings]\r\n[1]old\r\n[Later]\r\nX=1\r\n");
    std::optional<TEditorEnvironment> E = LoadEnvironmentFile(File("qxeenv2.ini"));
    ASSERT_TRUE(E);
    EXPECT_EQ(E->EnvironmentName, "Old");
    EXPECT_EQ(E->EditNorStrColor1, clBlack);  // an invalid colour text gives the default
    EXPECT_EQ(E->TabSpaceCount, 4);
    // Every line after the words' section is a word line; a line whose list is not 1..3 is skipped.
    EXPECT_EQ(E->HilightWords[0], (std::vector<std::string>{"old"}));

    E->HilightWords[0] = {"new"};
    ASSERT_TRUE(SaveEnvironmentFile(*E, File("qxeenv2.ini")));
    const std::string Bytes = ReadBytes(File("qxeenv2.ini"));
    EXPECT_NE(Bytes.find("[Mine]\r\nKeep=1\r\n"), std::string::npos);
    EXPECT_EQ(Bytes.find("old"), std::string::npos);
    EXPECT_EQ(Bytes.find("[Later]"), std::string::npos);
    const std::string Words = "[EditorHilightStrings]\r\n[1]new\r\n";
    EXPECT_EQ(Bytes.substr(Bytes.size() - Words.size()), Words);
}

TEST_F(EditorEnvironmentTest, WordsAreCutAtWholeCharacters)
{
    const std::string Kanji = Utf8ToCp932("語");
    WriteBytes(File("qxeenv1.ini"), "[EditorHilightStrings]\r\n[1]" + std::string(99, 'a') + Kanji + "\r\n[2]" +
                                        std::string(98, 'b') + Kanji + "c\r\n[4]four\r\nx\r\n[3]\r\n");
    const std::optional<TEditorEnvironment> E = LoadEnvironmentFile(File("qxeenv1.ini"));
    ASSERT_TRUE(E);
    EXPECT_EQ(E->HilightWords[0], (std::vector<std::string>{std::string(99, 'a')}));
    EXPECT_EQ(E->HilightWords[1], (std::vector<std::string>{std::string(98, 'b') + Kanji}));
    EXPECT_EQ(E->HilightWords[2], (std::vector<std::string>{""}));
}

TEST_F(EditorEnvironmentTest, AnUnreadableFileIsNeverReplaced)
{
    std::filesystem::create_directory(File("qxeenv1.ini"));  // exists, cannot be read as a file
    EXPECT_FALSE(LoadEnvironmentFile(File("qxeenv1.ini")));
    EXPECT_FALSE(SaveEnvironmentFile(TEditorEnvironment(), File("qxeenv1.ini")));
    EXPECT_TRUE(std::filesystem::is_directory(File("qxeenv1.ini")));

    State.EnvExtList[1].Add("*.kept");
    BindEnvironmentFileExts(State);
    EXPECT_EQ(State.EnvExtList[1].Count(), 1);
}

TEST_F(EditorEnvironmentTest, NamesStopAtTheFirstGapAndAtNine)
{
    WriteEnvironment(1, "One");
    WriteEnvironment(3, "Three");
    EXPECT_EQ(ListEnvironmentNames(State), (std::vector<std::string>{Utf8ToCp932("標準"), "One"}));
    for (int N = 2; N <= 10; ++N) WriteEnvironment(N, "E" + std::to_string(N));
    const std::vector<std::string> Names = ListEnvironmentNames(State);
    ASSERT_EQ(Names.size(), 10u);
    EXPECT_EQ(Names.back(), "E9");
}

TEST_F(EditorEnvironmentTest, ExtensionsBindToEnvironments)
{
    WriteEnvironment(0, "", "*.c;");
    WriteEnvironment(1, "Text", "*.txt;*.htm");
    WriteEnvironment(3, "Upper", "*.TXT;*.LOG;");
    State.EnvExtList[2].Add("*.gone");  // environment 2 has no file: its list is emptied
    BindEnvironmentFileExts(State);
    EXPECT_EQ(State.EnvExtList[1].Items(), (std::vector<std::string>{"*.txt"}));
    EXPECT_EQ(State.EnvExtList[2].Count(), 0);
    EXPECT_EQ(EnvironmentIndexOfExt(State, EnvironmentPatternOf("/d/a.txt")), 1);
    EXPECT_EQ(EnvironmentIndexOfExt(State, EnvironmentPatternOf("a.log")), 3);
    EXPECT_EQ(EnvironmentIndexOfExt(State, EnvironmentPatternOf("a.htm")), 0);
    EXPECT_EQ(EnvironmentIndexOfExt(State, EnvironmentPatternOf("a.c")), 0);
    EXPECT_EQ(EnvironmentIndexOfExt(State, "*.gone"), 0);

    EXPECT_EQ(EnvironmentPatternOf("/d.x/name"), "*");
    EXPECT_EQ(EnvironmentPatternOf("a.tar.gz"), "*.gz");
    EXPECT_EQ(EnvironmentPatternOf(".profile"), "*.profile");
}

TEST_F(EditorEnvironmentTest, ErasingASectionKeepsTheMainFilesHeader)
{
    TMemIniFile Ini(File("QxEditor.ini"));
    Ini.WriteString("EditorEnvironment3", "A", "1");
    Ini.WriteString("Basic", "UseTray", "0");
    ASSERT_TRUE(WriteSettingsFile(Ini, kMainSettingsTitle));
    const std::string Before = ReadBytes(File("QxEditor.ini"));
    EraseEnvironmentSection(State, 3);
    const std::string After = ReadBytes(File("QxEditor.ini"));
    const std::string Header = SettingsFileHeader(kMainSettingsTitle).Text();
    EXPECT_EQ(After.substr(0, Header.size()), Before.substr(0, Header.size()));
    EXPECT_EQ(After.find("EditorEnvironment3"), std::string::npos);
    EXPECT_NE(After.find("[Basic]\r\nUseTray=0"), std::string::npos);
}

TEST_F(EditorEnvironmentTest, MenuShowsNamedEnvironmentsWithAmpersandsDoubled)
{
    WriteEnvironment(3, Utf8ToCp932("R&D 用"));
    std::vector<TMenuItemModel> Items = BuildEditorEnvMenu(State);
    ASSERT_EQ(Items.size(), 9u);
    for (int I = 0; I < 9; ++I) EXPECT_EQ(Items[I].Visible, I == 2) << I;
    EXPECT_EQ(Items[2].Caption, "&3 R&&D 用");

    std::filesystem::remove(File("qxeenv3.ini"));
    Items = BuildEditorEnvMenu(State);
    EXPECT_FALSE(Items[2].Visible);
}

} // namespace
} // namespace qx
