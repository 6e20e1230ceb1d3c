#include "platform/Exception.h"
#include "platform/IniFile.h"
#include "support/Bytes.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <random>

#include <sys/stat.h>
#include <unistd.h>

using namespace qx;
using qx::test::ReadBytes;
using qx::test::RunUnprivileged;
using qx::test::TempDir;
using qx::test::WriteBytes;

namespace {
const std::string kData = QX_TEST_DATA;
} // namespace

TEST(TMemIniFile, ReadsAHandEditedFileAndWritesItBackInCanonicalForm)
{
    TempDir dir;
    const std::string path = dir.File("messy.ini");
    WriteBytes(path, ReadBytes(kData + "/ini/messy.ini"));
    TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadString("BASIC", "usetray", ""), "1");
    EXPECT_EQ(ini.ReadString("Basic", "HotKey", ""), "\"Ctrl+F1\"");
    EXPECT_EQ(ini.ReadString("Basic", "Expr", ""), "a=b");
    EXPECT_EQ(ini.ReadString("Basic", "Late", ""), "2");  // a repeated section joins the first
    EXPECT_TRUE(ini.SectionExists("Empty"));
    EXPECT_FALSE(ini.ValueExists("Basic", "stray"));
    EXPECT_EQ(ini.ReadString("Other", "Key", ""), qx::test::Bytes("83 65 83 58 83 67"));
    ini.UpdateFile();
    EXPECT_EQ(ReadBytes(path), ReadBytes(kData + "/ini/messy-saved.ini"));
}

TEST(TMemIniFile, NewKeysGoToTheEndOfTheirSectionAndNewSectionsToTheEnd)
{
    TempDir dir;
    TMemIniFile ini(dir.File("new.ini"));  // missing file: empty
    ini.WriteString("A", "One", "1");
    ini.WriteString("B", "Two", "2");
    ini.WriteString("a", "Three", "3");
    ini.WriteString("A", "ONE", "uno");  // replaces in place, with the writer's spelling
    EXPECT_EQ(ini.FileBytes(), "[A]\r\nONE=uno\r\nThree=3\r\n\r\n[B]\r\nTwo=2\r\n\r\n");

    TStringList header;
    header.Add("// head");
    header.Add("");
    ini.SetHeader(header);
    ini.UpdateFile();
    EXPECT_EQ(ReadBytes(dir.File("new.ini")),
              "// head\r\n\r\n[A]\r\nONE=uno\r\nThree=3\r\n\r\n[B]\r\nTwo=2\r\n\r\n");
    // The header is dropped on reading, so a second write has it once.
    TMemIniFile again(dir.File("new.ini"));
    again.SetHeader(header);
    EXPECT_EQ(again.FileBytes(), ReadBytes(dir.File("new.ini")));
}

TEST(TMemIniFile, IntegerAndBooleanValues)
{
    struct Case {
        const char* text;
        int expected;  // with default 77
    };
    const Case cases[] = {
        {"12", 12},          {"-12", -12},         {"+7", 7},           {"$1F", 31},
        {"0x1f", 31},        {"x10", 16},          {"-$10", -16},       {"$FFFFFFFF", -1},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"2147483648", 77},  {"$100000000", 77},   {"", 77},            {"abc", 77},
        {"12a", 77},         {"$", 77},            {"1.5", 77},         {"-", 77},
    };
    TempDir dir;
    TMemIniFile ini(dir.File("n.ini"));
    for (const Case& c : cases) {
        ini.WriteString("N", "Value", c.text);
        EXPECT_EQ(ini.ReadInteger("N", "Value", 77), c.expected) << '"' << c.text << '"';
    }
    EXPECT_EQ(ini.ReadInteger("N", "Missing", 5), 5);

    ini.WriteBool("B", "On", true);
    ini.WriteBool("B", "Off", false);
    ini.WriteString("B", "Two", "2");
    ini.WriteString("B", "Junk", "yes");
    ini.WriteInteger("B", "Int", -3);
    EXPECT_EQ(ini.ReadString("B", "On", ""), "1");
    EXPECT_EQ(ini.ReadString("B", "Off", ""), "0");
    EXPECT_EQ(ini.ReadString("B", "Int", ""), "-3");
    EXPECT_TRUE(ini.ReadBool("B", "On", false));
    EXPECT_FALSE(ini.ReadBool("B", "Off", true));
    EXPECT_TRUE(ini.ReadBool("B", "Two", false));
    EXPECT_TRUE(ini.ReadBool("B", "Junk", true));
    EXPECT_FALSE(ini.ReadBool("B", "Junk", false));
}

TEST(TMemIniFile, SectionOperations)
{
    TempDir dir;
    TMemIniFile ini(dir.File("s.ini"));
    TStringList lines;
    lines.SetText("[Keep]\r\nA=1\r\n[Bar]\r\nNum1=3\r\nNum2=99\r\nodd\r\n[Tail]\r\nZ=0\r\n");
    ini.SetStrings(lines);

    TStringList keys;
    ini.ReadSection("bar", keys);
    EXPECT_EQ(keys.Text(), "Num1\r\nNum2\r\n");
    TStringList values;
    ini.ReadSectionValues("BAR", values);
    EXPECT_EQ(values.Text(), "Num1=3\r\nNum2=99\r\nodd\r\n");
    ini.ReadSectionValues("None", values);
    EXPECT_EQ(values.Count(), 0);

    ini.DeleteKey("Bar", "num1");
    EXPECT_FALSE(ini.ValueExists("Bar", "Num1"));
    ini.EraseSection("bar");
    EXPECT_FALSE(ini.SectionExists("Bar"));
    ini.WriteString("Bar", "Num1", "5");  // comes back at the end
    TStringList sections;
    ini.ReadSections(sections);
    EXPECT_EQ(sections.Text(), "Keep\r\nTail\r\nBar\r\n");
    EXPECT_EQ(ini.ReadString("Tail", "Z", "?"), "0");
}

TEST(TMemIniFile, FindsSectionsAndKeysByNameAsSameTextDoesThroughEveryChange)
{
    // Random changes against a plain model that searches every line. Names come from a few bytes that
    // collide: letters in both cases, and a lead byte whose trail byte is a letter that must not fold
    // ("\x83a" and "\x83A" are two characters).
    struct ModelSection {
        std::string Name;
        std::vector<std::string> Lines;
    };
    std::vector<ModelSection> model;
    auto findSection = [&](std::string_view name) -> ModelSection* {
        for (ModelSection& m : model)
            if (SameText(m.Name, name)) return &m;
        return nullptr;
    };
    auto findKey = [](ModelSection& m, std::string_view ident) {
        for (std::size_t i = 0; i < m.Lines.size(); ++i)
            if (m.Lines[i].find('=') != std::string::npos && SameText(IniLineName(m.Lines[i]), ident))
                return static_cast<int>(i);
        return -1;
    };
    auto modelLines = [&] {
        TStringList lines;
        for (const ModelSection& m : model) {
            lines.Add("[" + m.Name + "]");
            for (const std::string& line : m.Lines) lines.Add(line);
            lines.Add("");
        }
        return lines.Text();
    };

    std::mt19937 random(11);
    const std::string pieces[] = {"a", "A", "b", "\x83" "a", "\x83" "A", "\x83" "b"};
    auto name = [&] {
        std::string n;
        for (int i = 1 + static_cast<int>(random() % 2); i > 0; --i) n += pieces[random() % 6];
        return n;
    };
    TempDir dir;
    TMemIniFile ini(dir.File("model.ini"));
    for (int step = 0; step < 4000; ++step) {
        const std::string section = name(), key = name(), value = std::to_string(step);
        switch (random() % 8) {
        case 0:
        case 1:
        case 2: {
            ini.WriteString(section, key, value);
            ModelSection* m = findSection(section);
            if (!m) m = &model.emplace_back(ModelSection{section, {}});
            const int i = findKey(*m, key);
            if (i >= 0) m->Lines[static_cast<std::size_t>(i)] = key + "=" + value;
            else m->Lines.push_back(key + "=" + value);
            break;
        }
        case 3:
            ini.DeleteKey(section, key);
            if (ModelSection* m = findSection(section); m && findKey(*m, key) >= 0)
                m->Lines.erase(m->Lines.begin() + findKey(*m, key));
            break;
        case 4:
            ini.EraseSection(section);
            for (auto it = model.begin(); it != model.end(); ++it)
                if (SameText(it->Name, section)) {
                    model.erase(it);
                    break;
                }
            break;
        case 5: {
            // Reading the file back: repeated sections join the first, repeated keys stay.
            TStringList lines;
            lines.SetText(modelLines() + "[" + section + "]\r\n" + key + "=again\r\n" + key + "=twice\r\n");
            ini.SetStrings(lines);
            ModelSection* m = findSection(section);
            if (!m) m = &model.emplace_back(ModelSection{section, {}});
            m->Lines.push_back(key + "=again");
            m->Lines.push_back(key + "=twice");
            break;
        }
        default: {
            ModelSection* m = findSection(section);
            const int i = m ? findKey(*m, key) : -1;
            const std::string expected =
                i >= 0 ? std::string(IniLineValue(m->Lines[static_cast<std::size_t>(i)])) : "?";
            ASSERT_EQ(ini.ReadString(section, key, "?"), expected) << "step " << step;
            ASSERT_EQ(ini.ValueExists(section, key), i >= 0) << "step " << step;
            ASSERT_EQ(ini.SectionExists(section), m != nullptr) << "step " << step;
        }
        }
        if (step % 100 == 0) {
            TStringList lines;
            ini.GetStrings(lines);
            ASSERT_EQ(lines.Text(), modelLines()) << "step " << step;
        }
    }
}

TEST(TMemIniFile, UpdateFileKeepsPermissionsAndFollowsSymbolicLinks)
{
    TempDir dir;
    const std::string real = dir.File("real.ini");
    WriteBytes(real, "[S]\r\nK=old\r\n");
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    const std::string link = dir.File("link.ini");
    ASSERT_EQ(::symlink("real.ini", link.c_str()), 0);

    TMemIniFile ini(link);
    EXPECT_EQ(ini.ReadString("S", "K", ""), "old");
    ini.WriteString("S", "K", "new");
    ini.UpdateFile();

    struct stat st;
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadBytes(real), "[S]\r\nK=new\r\n\r\n");
    // No temporary file is left behind.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path())) ++entries;
    EXPECT_EQ(entries, 2);
}

TEST(TMemIniFile, FailuresRaiseAndLeaveTheOldFileWhole)
{
    TempDir dir;
    // A folder in place of the file cannot be read.
    std::filesystem::create_directory(dir.File("folder.ini"));
    EXPECT_THROW(TMemIniFile(dir.File("folder.ini")), EFOpenError);

    // A path below a plain file cannot be written (even with every privilege).
    WriteBytes(dir.File("plain"), "x");
    TMemIniFile ini(dir.File("plain/sub.ini"));
    ini.WriteString("S", "K", "v");
    EXPECT_THROW(ini.UpdateFile(), EInOutError);
    EXPECT_EQ(ReadBytes(dir.File("plain")), "x");

    // A file its owner keeps from being written is not replaced, although its folder may be written.
    const std::string readOnly = dir.File("read-only.ini");
    WriteBytes(readOnly, "[S]\r\nK=kept\r\n");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0777), 0);
    const int result = RunUnprivileged([&] {
        TMemIniFile mine(readOnly);
        mine.WriteString("S", "K", "lost");
        try {
            mine.UpdateFile();
        } catch (const EInOutError&) {
            return 0;
        }
        return 1;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadBytes(readOnly), "[S]\r\nK=kept\r\n");
}
