#include "mainwindow/desktop/qt/TipForm.h"
#include "platform/Cp932.h"
#include "platform/Prompter.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

using namespace qx;

namespace {

TTipWindowSetup TipSetup(std::initializer_list<const char*> tips)
{
    TTipWindowSetup setup;
    setup.Caption = "ワンポイント";
    setup.CheckCaption = "起動時に表示(&S)";
    setup.Heading = "便利な使い方...";
    for (const char* tip : tips) setup.Tips.Add(Utf8ToCp932(tip));
    return setup;
}

std::string Shown(const TQxEditorTipForm& form)
{
    const auto* text = form.findChild<QLabel*>("TipText");
    const auto* prev = form.findChild<QPushButton*>("Prev");
    const auto* next = form.findChild<QPushButton*>("Next");
    return text->text().toStdString() + (prev->isEnabled() ? " P" : "") + (next->isEnabled() ? " N" : "");
}

} // namespace

TEST(TipForm, PagesThroughTheTipsWithItsButtons)
{
    TQxEditorTipForm form(TipSetup({"一つ目", "二つ目", "三つ目"}));
    EXPECT_EQ(form.windowTitle().toStdString(), "ワンポイント");
    EXPECT_EQ(form.findChild<QLabel*>("TipHelp")->text().toStdString(), "便利な使い方...");
    EXPECT_EQ(Shown(form), "一つ目 N");
    form.findChild<QPushButton*>("Next")->click();
    EXPECT_EQ(Shown(form), "二つ目 P N");
    form.findChild<QPushButton*>("Next")->click();
    EXPECT_EQ(Shown(form), "三つ目 P");
    form.findChild<QPushButton*>("Prev")->click();
    form.findChild<QPushButton*>("Prev")->click();
    EXPECT_EQ(Shown(form), "一つ目 N");

    TQxEditorTipForm empty(TipSetup({}));
    EXPECT_EQ(Shown(empty), "No tips available !");
}

TEST(TipForm, EveryWayOfClosingKeepsTheCheckBox)
{
    TQtTipWindow window;
    for (bool closeButton : {true, false}) {
        QTimer::singleShot(0, [closeButton] {
            auto* form = qobject_cast<TQxEditorTipForm*>(QApplication::activeModalWidget());
            ASSERT_NE(form, nullptr);
            form->findChild<QCheckBox*>("ShowAtStart")->setChecked(false);
            if (closeButton) form->findChild<QPushButton*>("CloseBtn")->click();
            else form->close();
        });
        bool showAtStart = true;
        const int result = window.ShowModal(TipSetup({"a"}), showAtStart);
        EXPECT_EQ(result, closeButton ? mr::Ok : mr::Cancel);
        EXPECT_FALSE(showAtStart);
    }
}
