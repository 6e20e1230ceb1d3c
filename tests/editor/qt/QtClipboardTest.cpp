// The control's clipboard on the desktop's clipboard: code page 932 both ways, LF outside and CR LF
// inside, and the box mark.

#include "editor/qt/QtClipboard.h"
#include "platform/Cp932.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(QtClipboard, TextRoundTripsThroughTheDesktopClipboardByteForByte)
{
    TQtClipboard clipboard;
    // Half-width katakana, a circled digit and the two characters whose Unicode mapping differs
    // between the Japanese code pages.
    const std::string text = Utf8ToCp932("日本ｱ①～∥") + "\r\nx";
    ASSERT_EQ(Cp932ToUtf8(text), "日本ｱ①～∥\r\nx");
    clipboard.SetText(text, false);
    EXPECT_TRUE(clipboard.HasText());
    EXPECT_FALSE(clipboard.HasBoxFormat());
    EXPECT_EQ(clipboard.Text(), text);
    // Other programs see ordinary UTF-8 text with LF line ends.
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "日本ｱ①～∥\nx");

    // Bytes that are no character, a lone LF and a lead byte at the end come back as they went.
    const std::string raw = "a\x80\xA0\nb\x82";
    clipboard.SetText(raw, false);
    EXPECT_EQ(clipboard.Text(), raw);
}

TEST(QtClipboard, TextFromOtherProgramsGetsCrLfAndQuestionMarksForMissingCharacters)
{
    TQtClipboard clipboard;
    QGuiApplication::clipboard()->setText(QString::fromUtf8("a\nb😀c\r\nd"));
    EXPECT_TRUE(clipboard.HasText());
    EXPECT_FALSE(clipboard.HasBoxFormat());
    EXPECT_EQ(clipboard.Text(), "a\r\nb?c\r\nd");
}

TEST(QtClipboard, TheBoxMarkTravelsBesideThePlainText)
{
    TQtClipboard clipboard;
    clipboard.SetText("ab\r\ncd", true);
    EXPECT_TRUE(clipboard.HasBoxFormat());
    EXPECT_EQ(clipboard.Text(), "ab\r\ncd");
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "ab\ncd");
    clipboard.SetText("plain", false);
    EXPECT_FALSE(clipboard.HasBoxFormat());
}

} // namespace
} // namespace qx
