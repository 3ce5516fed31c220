// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uStringList.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>

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

TEST(StringList, LoadsAPlainFileAndRefusesWhatCannotBeRead) {
    QTemporaryDir dir;
    const std::string file = dir.filePath("a.ini").toStdString();
    std::ofstream(file, std::ios::binary) << "[A]\r\nk=v\nlast";
    tStringList list;
    ASSERT_TRUE(list.LoadFromFile(file));
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"[A]", "k=v", "last"}));

    // A folder where a file is expected opens as a stream but cannot be read.
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.ini"));
    EXPECT_FALSE(list.LoadFromFile(dir.filePath("folder.ini").toStdString()));
    EXPECT_EQ(list.Count(), 0);
    list.Add("stale");
    EXPECT_FALSE(list.LoadFromFile(dir.filePath("missing.ini").toStdString()));
    EXPECT_EQ(list.Count(), 0);
}
