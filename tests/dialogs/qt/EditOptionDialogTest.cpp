// The editor options dialog built offscreen: every page builds and showing it changes nothing in the
// working copy; the colour boxes show the stored colour and write only the user's choice; the kinsoku
// page shows the level's rules; the environment manager's buttons follow the list.

#include "dialogs/qt/EditEnvDialog.h"
#include "dialogs/qt/EditOptionDialog.h"
#include "dialogs/qt/EditOptionPages.h"

#include "dialogs/EditOptionRules.h"
#include "dialogs/qt/ColorConbo.h"
#include "editor/qt/FontResolver.h"
#include "platform/Cp932.h"
#include "platform/IniFile.h"
#include "documents/SettingsFile.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace qx::test {
namespace {

struct NoHost : TEditOptionHost {
    int CurrentEnvironment() const override { return 0; }
    void ApplyToCurrentTab(int) override {}
    void Refresh() override {}
};

std::string KeyText(const TEditorEnvironment& S)
{
    TMemIniFile ini{std::string()};
    TKeyWriter writer(ini, "EditorEnvironment");
    EnvironmentKeys(writer, S);
    std::string text = ini.FileBytes();
    for (const std::string& e : S.FileExt) text += e + ";";
    for (const auto& list : S.HilightWords)
        for (const std::string& w : list) text += "|" + w;
    return text;
}

struct EditOptionDialogTest : ::testing::Test {
    TempDir dir;
    TGlobalState state;
    ScriptedMessagePrompter prompter;
    ScriptedFileDialogs dialogs;
    TEditOptionModel model{state, prompter};
    NoHost host;
    TEditOptionDialog dialog{TEditOptionContext{model, dialogs, [] { return 84; }, {}, {}}, host};

    EditOptionDialogTest()
    {
        state.ProgramFolder = dir.Path() + "/";
        // Values a page could be tempted to "correct" while showing them.
        TEditorEnvironment e;
        e.FontName = "NoSuchFace";
        e.FontSize = 23;
        e.TabSpaceCount = 3;
        e.WrapStrLevel = 1;
        e.ScrollBarsType = 0;
        e.ColBarGaugeRange = 5;
        e.EditNorStrColor1 = 0x123456;  // no named colour
        e.HilightWords[0] = {"w"};
        e.FileExt = {"*.txt"};
        EXPECT_TRUE(SaveEnvironment(state, e, "", 0, ""));
        dialog.FormShow(0);
    }
    // A control of the page shown (the dialog has its own "ListBox1" and "Button1").
    template <class T> T* Find(const char* Name) const
    {
        return dialog.CurrentPage()->findChild<T*>(QLatin1String(Name));
    }
};

TEST_F(EditOptionDialogTest, EveryPageBuildsAndShowingItChangesNothing)
{
    const std::string before = KeyText(model.Record);
    static const char* const classes[] = {"Toptionpanel8",  "Toptionpanel10", "Toptionpanel15", "Toptionpanel9",
                                          "Toptionpanel35", "Toptionpanel38", "Toptionpanel39", "Toptionpanel29",
                                          "Toptionpanel30", "Toptionpanel34", "Toptionpanel37", "Toptionpanel33",
                                          "Toptionpanel14", "Toptionpanel7",  "Toptionpanel12", "Toptionpanel17"};
    EXPECT_EQ(dialog.PageList()->count(), 16);
    EXPECT_EQ(dialog.CurrentPage()->objectName(), "Toptionpanel8");
    for (int page = 15; page >= 0; --page) {
        dialog.PageList()->setCurrentRow(page);
        ASSERT_TRUE(dialog.CurrentPage());
        EXPECT_EQ(dialog.CurrentPage()->objectName(), classes[page]);
        int pages = 0;
        for (QObject* child : dialog.findChild<QWidget*>("OptPanel")->children()) pages += child->objectName().startsWith("Toptionpanel");
        EXPECT_EQ(pages, 1) << "one page at a time";
        // A label's access letter leads to its control (without one the "&" would show).
        for (QLabel* label : dialog.CurrentPage()->findChildren<QLabel*>())
            if (label->text().remove("&&").contains('&'))
                EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
    }
    EXPECT_EQ(KeyText(model.Record), before);

    // The font page lists the stored face and keeps it; the tab width 3 shows no item.
    dialog.SelectPage(3);
    auto* faces = Find<QListWidget>("ListBox1");
    ASSERT_TRUE(faces->currentItem());
    EXPECT_EQ(faces->currentItem()->text(), "NoSuchFace");
    dialog.SelectPage(0);
    EXPECT_EQ(Find<QComboBox>("ComboBox1")->currentIndex(), -1);
    EXPECT_EQ(KeyText(model.Record), before);
}

TEST_F(EditOptionDialogTest, TheFontPageListsTheJapaneseFixedFaceAndBoundsTheSize)
{
    dialog.SelectPage(3);
    auto* faces = Find<QListWidget>("ListBox1");
    // The faces of this machine's own font database: IPAGothic is dual-width to fontconfig.
    ASSERT_TRUE(QFontDatabase::hasFamily("IPAGothic")) << "scripts/install-deps.sh installs it";
    const QList<QListWidgetItem*> gothic = faces->findItems("IPAGothic", Qt::MatchExactly);
    ASSERT_EQ(gothic.size(), 1);
    if (QFontDatabase::hasFamily("IPAPGothic"))
        EXPECT_TRUE(faces->findItems("IPAPGothic", Qt::MatchExactly).isEmpty()) << "proportional";
    faces->setCurrentItem(gothic.front());
    EXPECT_EQ(model.Record.FontName, "IPAGothic");
    EXPECT_EQ(model.Record.FontCharset, kCharsetShiftJis);
    EXPECT_EQ(TFontResolver::ResolveFamily("IPAGothic"), "IPAGothic");

    // A size out of range is never stored: leaving the box with one takes the nearest and says so.
    auto* size = Find<QLineEdit>("Edit1");
    struct Case {
        const char* Typed;
        int WhileTyping;  // the record after the last key
        int Left;         // the record and the box once the box is left
    };
    for (const Case& c : {Case{"999", 9, 72}, Case{"1", 72, 6}, Case{"12", 12, 12}, Case{"72", 72, 72}}) {
        prompter.Requests.clear();
        size->clear();
        QTest::keyClicks(size, c.Typed);
        EXPECT_EQ(model.Record.FontSize, c.WhileTyping) << c.Typed;
        emit size->editingFinished();
        EXPECT_EQ(model.Record.FontSize, c.Left) << c.Typed;
        EXPECT_EQ(size->text(), QString::number(c.Left));
        const bool refused = c.Left != FontSizeOfText(c.Typed);
        ASSERT_EQ(prompter.Requests.size(), refused ? 1u : 0u) << c.Typed;
        if (refused) EXPECT_EQ(prompter.Requests[0].Text, FontSizeRangeMessage);
    }
}

TEST_F(EditOptionDialogTest, TheBackupFolderKeepsTheFileSystemsNames)
{
    // Names outside Shift-JIS: an accented letter and a Korean syllable.
    const std::string folder = dir.Path() + "/caf\u00e9-\ud55c";
    model.Record.BackUp2 = true;
    model.Record.BackUpDir = folder;
    dialog.SelectPage(14);
    auto* edit = Find<QLineEdit>("EditBackUpDir");
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->text().toStdString(), folder);
    edit->setFocus();
    edit->end(false);
    QTest::keyClicks(edit, "x");
    EXPECT_EQ(model.Record.BackUpDir, folder + "x");
}

TEST_F(EditOptionDialogTest, ColourBoxesShowTheStoredColourAndWriteOnlyAChoice)
{
    dialog.SelectPage(4);
    auto* text = Find<TOptionColorBox>("QxColorConbo1");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->count(), 1);
    EXPECT_EQ(text->Model().GetSelectedColor(), 0x123456);
    text->showPopup();
    text->hidePopup();
    EXPECT_EQ(text->count(), 142) << "the 140 names, the stored colour and その他...";
    EXPECT_EQ(text->Model().GetSelectedColor(), 0x123456);
    EXPECT_EQ(model.Record.EditNorStrColor1, 0x123456) << "opening writes nothing";

    const int aqua = text->findText("aqua");
    emit text->activated(aqua);
    EXPECT_EQ(model.Record.EditNorStrColor1, 0xFFFF00);
    // A cancelled "その他..." keeps the setting.
    text->Chooser = [](TColor) { return std::nullopt; };
    emit text->activated(text->count() - 1);
    EXPECT_EQ(model.Record.EditNorStrColor1, 0xFFFF00);

    // The marks have no background or style of their own.
    Find<QListWidget>("ListBox1")->setCurrentRow(12);
    EXPECT_FALSE(Find<TOptionColorBox>("QxColorConbo2")->isEnabled());
    EXPECT_FALSE(Find<QWidget>("BoldCheckBox")->isEnabled());
    EXPECT_FALSE(Find<QWidget>("DotStyleCheckBox")->isEnabled());
    Find<QListWidget>("ListBox1")->setCurrentRow(14);
    EXPECT_TRUE(Find<QWidget>("DotStyleCheckBox")->isEnabled());
}

TEST_F(EditOptionDialogTest, KinsokuPageShowsTheLevelsRules)
{
    dialog.SelectPage(8);
    auto* level = Find<QComboBox>("KinsokuComboBox");
    auto* lead = Find<QLineEdit>("Edit2");
    EXPECT_EQ(level->currentIndex(), 1);
    EXPECT_EQ(lead->text().toStdString(), "（［｛「『([{｢");
    EXPECT_TRUE(lead->isReadOnly());
    emit level->activated(0);
    EXPECT_EQ(model.Record.WrapStrLevel, 0);
    EXPECT_TRUE(lead->text().isEmpty());
    emit level->activated(3);
    EXPECT_FALSE(lead->isReadOnly());
    lead->setText("X");
    emit lead->textEdited("X");
    EXPECT_EQ(model.Record.LeadString, "X");
}

TEST_F(EditOptionDialogTest, ExtensionsAndTheManagersButtons)
{
    prompter.InputAnswers = {{true, ".log"}};
    Find<QPushButton>("Button1")->click();
    EXPECT_EQ(model.Record.FileExt, (std::vector<std::string>{"*.txt", "*.log"}));
    EXPECT_EQ(Find<QListWidget>("ExtListBox")->count(), 2);

    TEditEnvManager manager(model, dialogs);
    TEditEnvDialog manage(manager, {});
    EXPECT_EQ(manage.List()->count(), 1);
    EXPECT_TRUE(manage.ButtonNamed("Button2")->isEnabled());
    EXPECT_FALSE(manage.ButtonNamed("Button4")->isEnabled()) << "the standard environment cannot go";
    prompter.InputAnswers = {{true, "two"}};
    manage.ButtonNamed("Button2")->click();
    EXPECT_EQ(manage.List()->count(), 2);
    manage.List()->setCurrentRow(1);
    EXPECT_TRUE(manage.ButtonNamed("Button4")->isEnabled());
    manage.accept();
    dialog.ShowEnvironments();
    EXPECT_EQ(dialog.EnvironmentBox()->count(), 2);
    EXPECT_EQ(dialog.EnvironmentBox()->currentIndex(), 0);
}

} // namespace
} // namespace qx::test
