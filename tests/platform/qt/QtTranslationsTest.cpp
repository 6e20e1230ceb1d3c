// Qt's own file dialog speaks Japanese once the program has installed Qt's translations.

#include "platform/qt/QtTranslations.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace qx {
namespace {

QString FileNameLabel()
{
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const QLabel* label = dialog.findChild<QLabel*>("fileNameLabel");
    return label ? label->text() : QString();
}

bool AllAscii(const QString& Text)
{
    for (const QChar c : Text)
        if (c.unicode() > 0x7F) return false;
    return true;
}

TEST(QtTranslations, TheFileDialogSpeaksJapanese)
{
    ASSERT_TRUE(AllAscii(FileNameLabel())) << "English before";
    const std::unique_ptr<QTranslator> translator(InstallQtTranslations(*QCoreApplication::instance()));
    ASSERT_TRUE(translator) << "scripts/install-deps.sh installs Qt's Japanese translations";
    const QString label = FileNameLabel();
    EXPECT_FALSE(label.isEmpty());
    EXPECT_FALSE(AllAscii(label)) << label.toStdString();
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString::fromUtf8("キャンセル"));
}

} // namespace
} // namespace qx
