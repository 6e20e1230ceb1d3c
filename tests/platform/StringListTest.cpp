#include "platform/Exception.h"
#include "platform/StringList.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

using namespace qx;
using qx::test::Bytes;

TEST(CompareText, FoldsAsciiOnlyOutsideDoubleByteCharacters)
{
    EXPECT_EQ(CompareText("abc", "ABC"), 0);
    EXPECT_TRUE(SameText("clWindow", "CLWINDOW"));
    EXPECT_LT(CompareText("ab", "abc"), 0);
    // 0x82 0x61 and 0x82 0x41 are different characters (trail bytes are not letters).
    EXPECT_NE(CompareText(Bytes("82 61"), Bytes("82 41")), 0);
    // After a double-byte character, folding resumes.
    EXPECT_EQ(CompareText(Bytes("82 A0") + "x", Bytes("82 A0") + "X"), 0);
}

TEST(TStringList, SortedIgnoresDuplicatesWithoutRegardToCase)
{
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(TDuplicates::dupIgnore);
    EXPECT_EQ(list.Add("txt"), 0);
    EXPECT_EQ(list.Add("c"), 0);
    EXPECT_EQ(list.Add("TXT"), 1);  // duplicate: the existing index
    list.Add("html");
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list[0], "c");
    EXPECT_EQ(list[1], "html");
    EXPECT_EQ(list[2], "txt");
    int index;
    EXPECT_TRUE(list.Find("HTML", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list.Find("d", index));
    EXPECT_EQ(index, 1);  // insertion point
}

TEST(TStringList, IndexErrorsCarryTheLibraryMessage)
{
    TStringList list;
    list.Add("a");
    try {
        (void)list.Strings(1);
        FAIL() << "no exception";
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (1)");
    }
    EXPECT_THROW(list.Delete(-1), EListError);
    EXPECT_NO_THROW(list.Insert(1, "b"));
    EXPECT_THROW(list.Insert(3, "c"), EListError);
}

TEST(TStringList, TextSplitsEveryLineEndAndJoinsWithCrLf)
{
    TStringList list;
    list.SetText("a\r\nb\rc\nd\n");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list[3], "d");
    EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\nd\r\n");
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
}

TEST(TStringList, OneChangeNotificationPerBatch)
{
    TStringList list;
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.BeginUpdate();
    list.Add("a");
    list.Add("b");
    list.EndUpdate();
    EXPECT_EQ(changes, 1);
    list.EndUpdate();  // unbalanced: the counter stays at zero
    list.Add("c");
    EXPECT_EQ(changes, 3);
}

TEST(TStringList, AssignsFromAnotherListThroughThePersistentBase)
{
    TStringList source, target;
    source.Add("x");
    const TPersistent& asPersistent = source;
    target.Assign(asPersistent);
    EXPECT_EQ(target.Items(), source.Items());
    TPersistent other;
    EXPECT_THROW(target.Assign(other), Exception);
}
