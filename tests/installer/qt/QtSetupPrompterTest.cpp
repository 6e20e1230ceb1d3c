#include "installer/InstallFiles.h"
#include "installer/qt/QtSetupPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace qx;

namespace {

// Runs `act` on the message box as soon as it shows, then returns what the prompter answered.
int ShowAndAct(TQtSetupPrompter& prompter, const TPromptRequest& request, const std::function<void(QMessageBox&)>& act)
{
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer.stop();
            act(*box);
        }
    });
    timer.start();
    return prompter.Show(request);
}

// The captions of the buttons as they stand, left to right.
QStringList Captions(const QMessageBox& box)
{
    QList<QAbstractButton*> buttons = box.buttons();
    std::sort(buttons.begin(), buttons.end(),
              [](QAbstractButton* a, QAbstractButton* b) { return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x(); });
    QStringList captions;
    for (QAbstractButton* button : buttons) captions << button->text();
    return captions;
}

QAbstractButton* ButtonNamed(QMessageBox& box, const QString& caption)
{
    for (QAbstractButton* button : box.buttons())
        if (button->text() == caption) return button;
    return nullptr;
}

} // namespace

TEST(TQtSetupPrompter, TheDeleteQuestionShowsItsFourButtonsAndAnswersTheOneChosen)
{
    TQtSetupPrompter prompter;
    TPromptRequest question = SetupPrompt("/x/a.txt - このファイルを削除してもいいですか？", "削除の確認",
                                          TMsgDlgType::mtConfirmation,
                                          {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbAll, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel});
    question.AllCaption = "すべて削除(&A)";
    const struct {
        const char* click;  // nullptr: Escape
        int result;
    } cases[] = {{"はい(&Y)", mr::Yes}, {"すべて削除(&A)", mr::All}, {"いいえ(&N)", mr::No}, {"キャンセル", mr::Cancel},
                 {nullptr, mr::Cancel}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.click ? c.click : "Escape");
        QStringList captions;
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        const int result = ShowAndAct(prompter, question, [&](QMessageBox& box) {
            captions = Captions(box);
            title = box.windowTitle();
            text = box.text();
            icon = box.icon();
            if (!c.click) {
                QTest::keyClick(&box, Qt::Key_Escape);
            } else if (QAbstractButton* button = ButtonNamed(box, QString::fromUtf8(c.click))) {
                button->click();
            } else {
                ADD_FAILURE() << "no button " << c.click;
                box.reject();
            }
        });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(captions, (QStringList{"はい(&Y)", "すべて削除(&A)", "いいえ(&N)", "キャンセル"}));
        EXPECT_EQ(title, "削除の確認");
        EXPECT_EQ(text, "/x/a.txt - このファイルを削除してもいいですか？");
        EXPECT_EQ(icon, QMessageBox::Question);
    }
}

TEST(TQtSetupPrompter, MessagesTakeTheirKindsCaptionIconAndButtons)
{
    TQtSetupPrompter prompter;
    const struct {
        TPromptRequest request;
        QString title;
        QMessageBox::Icon icon;
        QStringList captions;
    } cases[] = {
        {SetupPrompt("failed", "Tool", TMsgDlgType::mtError, {TMsgDlgBtn::mbOK}), "Tool", QMessageBox::Critical, {"OK"}},
        {SetupPrompt("failed", "", TMsgDlgType::mtError, {TMsgDlgBtn::mbOK}), "エラー", QMessageBox::Critical, {"OK"}},
        {SetupPrompt("Toolを削除します。", "Tool", TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK, TMsgDlgBtn::mbCancel}),
         "Tool", QMessageBox::Information, {"OK", "キャンセル"}},
        {SetupPrompt("low", "Tool", TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}), "Tool",
         QMessageBox::Question, {"はい(&Y)", "いいえ(&N)"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title.toStdString());
        QStringList captions;
        QString title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        const int result = ShowAndAct(prompter, c.request, [&](QMessageBox& box) {
            captions = Captions(box);
            title = box.windowTitle();
            icon = box.icon();
            ButtonNamed(box, captions.first())->click();  // the first button answers
        });
        EXPECT_EQ(captions, c.captions);
        EXPECT_EQ(title, c.title);
        EXPECT_EQ(icon, c.icon);
        EXPECT_EQ(result, c.captions.first() == "OK" ? mr::Ok : mr::Yes);
    }
}
