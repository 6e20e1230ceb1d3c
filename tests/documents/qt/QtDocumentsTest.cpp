#include "documents/DocumentCodes.h"
#include "documents/qt/QxFileDialogs.h"
#include "documents/qt/QxMessageDialog.h"
#include "documents/qt/QxStatusBar.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace qx {
namespace {

std::vector<QString> ButtonTexts(QDialog& Form)
{
    std::vector<std::pair<int, QString>> Buttons;
    for (QPushButton* B : Form.findChildren<QPushButton*>()) Buttons.push_back({B->x(), B->text()});
    std::sort(Buttons.begin(), Buttons.end(), [](const auto& A, const auto& B) { return A.first < B.first; });
    std::vector<QString> Texts;
    for (const auto& B : Buttons) Texts.push_back(B.second);
    return Texts;
}

TEST(QxMessageDialog, FormShowsCaptionButtonsAndAnswers)
{
    TQxMessageDialog Dialog;
    Dialog.MessageString = "ファイルが開けません。";
    Dialog.AType = TMsgDlgType::mtConfirmation;
    Dialog.AButtons = {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo};
    QPixmap Program(32, 32);
    Program.fill(Qt::red);
    Dialog.Icon = QIcon(Program);
    Dialog.VisibleIcon = true;
    Dialog.X = -5;
    Dialog.Y = 0;

    std::unique_ptr<QDialog> Form = Dialog.CreateDialogForm();
    EXPECT_EQ(Form->windowTitle(), "確認");
    EXPECT_EQ(Form->findChild<QLabel*>("Message")->text(), "ファイルが開けません。");
    EXPECT_NE(Form->findChild<QLabel*>("ProgramIcon"), nullptr);
    EXPECT_EQ(ButtonTexts(*Form), (std::vector<QString>{"はい(&Y)", "いいえ(&N)"}));
    EXPECT_EQ(Form->pos(), QPoint(0, 0));
    // A short text: the form is 102 pixels taller than a button.
    EXPECT_EQ(Form->height(), Form->findChild<QPushButton*>("Yes")->height() + 102);

    Form->show();
    QTest::mouseClick(Form->findChild<QPushButton*>("No"), Qt::LeftButton);
    EXPECT_EQ(Form->result(), mr::No);

    // A button's letter answers with or without Alt; other letters do nothing.
    struct Key {
        Qt::Key Letter;
        Qt::KeyboardModifiers Modifiers;
        int Result;
    };
    for (const Key& K : {Key{Qt::Key_N, Qt::NoModifier, mr::No}, Key{Qt::Key_Y, Qt::NoModifier, mr::Yes},
                         Key{Qt::Key_N, Qt::AltModifier, mr::No}, Key{Qt::Key_N, Qt::ShiftModifier, mr::No},
                         Key{Qt::Key_X, Qt::NoModifier, -1}, Key{Qt::Key_N, Qt::ControlModifier, -1}}) {
        Form = Dialog.CreateDialogForm();
        Form->show();
        QTest::keyClick(Form.get(), K.Letter, K.Modifiers);
        EXPECT_EQ(Form->isVisible(), K.Result == -1) << K.Letter << " " << K.Modifiers.toInt();
        if (K.Result != -1) EXPECT_EQ(Form->result(), K.Result) << K.Letter;
    }

    // Esc answers Cancel although Cancel is not offered.
    Form = Dialog.CreateDialogForm();
    Form->show();
    QTest::keyClick(Form.get(), Qt::Key_Escape);
    EXPECT_EQ(Form->result(), mr::Cancel);
    // So does the close box.
    Form = Dialog.CreateDialogForm();
    Form->show();
    Form->close();
    EXPECT_EQ(Form->result(), mr::Cancel);

    // A caption of its own wins; a custom kind shows no icon at all.
    Dialog.CaptionString = "置換";
    Dialog.AType = TMsgDlgType::mtCustom;
    Form = Dialog.CreateDialogForm();
    EXPECT_EQ(Form->windowTitle(), "置換");
    EXPECT_EQ(Form->findChild<QLabel*>("Image"), nullptr);
    EXPECT_EQ(Form->findChild<QLabel*>("ProgramIcon"), nullptr);
}

TEST(QxMessageDialog, ThePrompterShowsTheProgramIconUnlessTheSettingHidesIt)
{
    QPixmap Program(32, 32);
    Program.fill(Qt::red);
    QApplication::setWindowIcon(QIcon(Program));
    TPromptRequest Request;
    Request.Text = "x";
    Request.Buttons = {TMsgDlgBtn::mbOK};
    for (const bool Visible : {true, false}) {
        TQtPrompter Prompter;
        Prompter.SetProgramIcon(Visible);
        bool Shown = false;
        QTimer::singleShot(0, [&] {
            QWidget* Form = QApplication::activeModalWidget();
            ASSERT_NE(Form, nullptr);
            Shown = Form->findChild<QLabel*>("ProgramIcon") != nullptr;
            Form->close();
        });
        Prompter.Show(Request);
        EXPECT_EQ(Shown, Visible);
    }
    QApplication::setWindowIcon(QIcon());
}

TEST(QxFileDialogs, StripOfListsGivesTheChosenIndexes)
{
    TFileDialogRequest Request;
    Request.Filter = "テキスト (*.txt)|*.txt;*.log|すべて (*.*)|*.*";
    Request.FilterIndex = 2;
    Request.LabelCaption = "文字コード";
    Request.ComboBoxStrings = CharCodeListStrings();
    Request.ComboBoxVisible = true;
    Request.ComboBoxStrings2 = LineEndListStrings();
    Request.ComboBoxInitialIndex2 = 2;
    Request.ComboBoxVisible2 = true;
    std::unique_ptr<QFileDialog> Dialog = CreateFileDialog(Request);
    EXPECT_TRUE(Dialog->testOption(QFileDialog::DontUseNativeDialog));
    // The name's own bracketed pattern list gives way to the real patterns.
    EXPECT_EQ(Dialog->nameFilters(), (QStringList{"テキスト (*.txt *.log)", "すべて (*)"}));
    auto* Codes = Dialog->findChild<QComboBox*>("qxcombo");
    ASSERT_NE(Codes, nullptr);
    ASSERT_NE(Dialog->findChild<QWidget*>("clientPanel"), nullptr);
    EXPECT_EQ(Dialog->findChild<QLabel*>("qxlabel")->text(), "文字コード");
    EXPECT_EQ(Codes->count(), 7);
    EXPECT_EQ(Codes->itemText(0), "文字ｺｰﾄﾞ自動選択");
    Codes->setCurrentIndex(6);
    const TFileDialogResult Result = FileDialogResult(*Dialog, false);
    EXPECT_EQ(Result.ComboBoxIndex, ocUtf8);
    EXPECT_EQ(Result.ComboBoxIndex2, lcLF);  // untouched: its initial index + 1
    EXPECT_EQ(Result.FilterIndex, 2);
    EXPECT_TRUE(Result.Files.empty());

    // Both lists hidden: no strip.
    Request.ComboBoxVisible = Request.ComboBoxVisible2 = false;
    Dialog = CreateFileDialog(Request);
    EXPECT_EQ(Dialog->findChild<QWidget*>("clientPanel"), nullptr);
    EXPECT_EQ(FileDialogResult(*Dialog, false).ComboBoxIndex, 0);
}

TEST(QxStatusBar, ShowsTheModelsPanels)
{
    TGlobalState State;
    TStatusBarModel Model(State);
    TStatusSnapshot Snap;
    Snap.CharType = sfctEUC;
    Model.RefreshStatusBar(&Snap);
    Model.SetModified(true);
    TQxStatusBar Bar;
    Bar.ShowPanels(Model.Panels());
    EXPECT_EQ(Bar.Panel(0)->text(), "00001 : 001");
    EXPECT_EQ(Bar.Panel(2)->text(), "更新");
    EXPECT_EQ(Bar.Panel(8)->text(), "EUC");
    EXPECT_EQ(Bar.Panel(8)->width(), 70);
    // Lock keys that cannot be read leave their panels empty.
    struct UnknownLocks : TLockKeyProbe {
        std::optional<bool> NumLock() const override { return std::nullopt; }
        std::optional<bool> CapsLock() const override { return std::nullopt; }
    } Probe;
    Model.UpdateLockKeys(Probe);
    Bar.ShowPanels(Model.Panels());
    EXPECT_EQ(Bar.Panel(5)->text(), "");
    // The offset and length of a 105 MB file show whole; a short text gives the panel its width back.
    Snap.SelStart = 110100480;
    Snap.TextLength = 110100480;
    Model.UpdateTextLength(&Snap);
    Model.RefreshStatusBar(&Snap);
    Bar.ShowPanels(Model.Panels());
    // (The width a panel asks for: a narrow window may still shrink it.)
    const TStatusPanel* offset = Bar.Panel(1);
    EXPECT_EQ(offset->text(), "110100480 / 110100480");
    EXPECT_GE(offset->PanelWidth() - 2 * offset->frameWidth(), offset->fontMetrics().horizontalAdvance(offset->text()));
    Snap.SelStart = Snap.TextLength = 5;
    Model.UpdateTextLength(&Snap);
    Model.RefreshStatusBar(&Snap);
    Bar.ShowPanels(Model.Panels());
    EXPECT_EQ(offset->PanelWidth(), StatusPanelWidths[1]);
}

} // namespace
} // namespace qx
