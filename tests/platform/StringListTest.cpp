#include "platform/uStringList.h"

#include <gtest/gtest.h>

namespace {
std::vector<std::string> Split(std::string_view text) {
    tStringList list;
    list.SetText(text);
    return list.Lines();
}
} // namespace

TEST(StringList, SplitsAtEveryKindOfLineBreakAndStopsAtNul) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Split(""), V{});
    EXPECT_EQ(Split("a"), V{"a"});
    EXPECT_EQ(Split("a\r\nb\rc\nd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(Split("a\r\n"), V{"a"});
    EXPECT_EQ(Split("\r\n\r\n"), (V{"", ""}));
    EXPECT_EQ(Split("a\n\rb"), (V{"a", "", "b"}));
    EXPECT_EQ(Split(std::string_view("a\r\nb\0c\r\nd", 10)), (V{"a", "b"}));
}

TEST(StringList, WholeTextEndsEveryLineWithCrLf) {
    tStringList list;
    EXPECT_EQ(list.Text(), "");
    list.Add("[A]");
    list.Add("");
    list.Add("k=v");
    EXPECT_EQ(list.Text(), "[A]\r\n\r\nk=v\r\n");
}

TEST(StringList, FindsWholeLinesIgnoringCaseAndEditsInPlace) {
    tStringList list;
    list.Add("one");
    list.Add("[Two]");
    list.Insert(0, "zero");
    list.Insert(3, "three");
    EXPECT_EQ(list.IndexOf("[TWO]"), 2);
    EXPECT_EQ(list.IndexOf("[TWO"), -1);
    list.Delete(0);
    EXPECT_EQ(list.IndexOf("THREE"), 2);
}
