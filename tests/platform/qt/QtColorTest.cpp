#include "platform/qt/QtColor.h"

#include <gtest/gtest.h>

using namespace qx;

TEST(QtColor, ConvertsByteOrderAndSystemColours)
{
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(0x00332211), QColor(0x11, 0x22, 0x33));
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Base, QColor(1, 2, 3));
    EXPECT_EQ(ToQColor(clWindow, palette), QColor(1, 2, 3));
    EXPECT_FALSE(ToQColor(clNone).isValid());
    EXPECT_EQ(FromQColor(QColor(0x11, 0x22, 0x33)), 0x00332211);
}
