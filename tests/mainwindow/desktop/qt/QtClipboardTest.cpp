#include "mainwindow/desktop/qt/QtClipboard.h"
#include "platform/Cp932.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace qx;

TEST(QtClipboard, OwnBytesWinOverUnicodeText)
{
    // 0x80 has no ordinary Unicode counterpart; QxEditor's own bytes bring it back whole.
    const std::string own = "\x82\xA0\x80";
    QMimeData data;
    data.setText("other");
    data.setData(kQxSjisTextMime, QByteArray(own.data(), 3));
    EXPECT_EQ(ClipboardCp932Text(&data), own);

    QMimeData unicode;
    unicode.setText(QString::fromUtf8("漢字 text"));
    EXPECT_EQ(ClipboardCp932Text(&unicode), Utf8ToCp932("漢字 text"));
    unicode.setText("a\nb\r\nc");
    EXPECT_EQ(ClipboardCp932Text(&unicode), "a\r\nb\r\nc");

    QMimeData image;
    image.setData("image/png", QByteArray("x"));
    EXPECT_EQ(ClipboardCp932Text(&image), std::nullopt);
    EXPECT_EQ(ClipboardCp932Text(nullptr), std::nullopt);

    std::unique_ptr<QMimeData> made(MakeCp932MimeData(Utf8ToCp932("日本")));
    EXPECT_EQ(made->text(), QString::fromUtf8("日本"));
}

TEST(QtClipboard, FeederRecordsChangesAndContainsHandlerErrors)
{
    TQxClipBoardHistory history;
    history.SetDisabled(true);
    history.SetCanUpdate(true);
    TQtClipboardFeeder feeder(history, QGuiApplication::clipboard());
    std::string error;
    feeder.OnException = [&](const std::exception& e) { error = e.what(); };

    TQtTextClipboard clipboard;
    clipboard.SetText(Utf8ToCp932("一行目"));
    QGuiApplication::clipboard()->setText("plain");
    ASSERT_EQ(history.Count(), 2);
    EXPECT_EQ(history.GetText(0), "plain");
    EXPECT_EQ(history.GetText(1), Utf8ToCp932("一行目"));
    EXPECT_EQ(clipboard.Text(), "plain");

    // The flags are read when the change arrives.
    history.SetCanUpdate(false);
    QGuiApplication::clipboard()->setText("not recorded");
    EXPECT_EQ(history.Count(), 2);

    history.OnClipChange = [](TObject*) { throw std::runtime_error("handler failed"); };
    QGuiApplication::clipboard()->setText("again");
    EXPECT_EQ(error, "handler failed");
}
