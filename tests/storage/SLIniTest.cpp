// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/uSLIni.h"

#include <gtest/gtest.h>

namespace {

tStringListINI Doc(std::string_view text) {
    tStringListINI doc;
    doc.SetText(text);
    return doc;
}

} // namespace

TEST(IniDocument, SectionHeadersNeedBracketsAtBothEndsAndNothingElse) {
    EXPECT_TRUE(IsSectionHeader("[]"));
    EXPECT_TRUE(IsSectionHeader("[A]"));
    EXPECT_TRUE(IsSectionHeader("[a]b]"));
    EXPECT_FALSE(IsSectionHeader("["));
    EXPECT_FALSE(IsSectionHeader(" [A]"));
    EXPECT_FALSE(IsSectionHeader("[A] "));
    EXPECT_FALSE(IsSectionHeader("]"));

    const auto doc = Doc("[]\nk=empty\n[\nk=not a header\n");
    EXPECT_EQ(doc.ReadString("", "k", "d"), "empty");
}

TEST(IniDocument, SectionMatchIgnoresCaseButKeyMatchDoesNot) {
    const auto doc = Doc("[Players]\nname=x\nName=y\n Name=z\n[\xC8\xE3\xF0\xE0]\nName=cyr\n");
    EXPECT_EQ(doc.ReadString("players", "Name", "d"), "y");
    EXPECT_EQ(doc.ReadString("PLAYERS", "NAME", "d"), "d");
    EXPECT_EQ(doc.ReadString("\xE8\xc3\xd0\xc0", "Name", "d"), "cyr");
    EXPECT_EQ(doc.ReadString("Players ", "Name", "d"), "d");
}

TEST(IniDocument, BlanksAroundTheEqualsSignMakeAnOrdinaryLine) {
    auto doc = Doc("[S]\nKey = value\n");
    EXPECT_EQ(doc.ReadString("S", "Key", "def"), "def");
    doc.WriteString("S", "Key", "value");
    EXPECT_EQ(doc.Text(), "[S]\r\nKey = value\r\nKey=value\r\n");
}

TEST(IniDocument, ValuesAreTakenVerbatimAndAnEmptyValueIsNotTheDefault) {
    const auto doc = Doc("[S]\na=  spaced \"q\" \nb=\nc==x\n");
    EXPECT_EQ(doc.ReadString("S", "a", "d"), "  spaced \"q\" ");
    EXPECT_EQ(doc.ReadString("S", "b", "d"), "");
    EXPECT_EQ(doc.ReadString("S", "c", "d"), "=x");
    EXPECT_EQ(doc.ReadString("Missing", "a", "d"), "d");
}

TEST(IniDocument, OnlyTheFirstOfTwoKeyLinesIsReadOrWrittenButDeleteRemovesBoth) {
    auto doc = Doc("[S]\nk=1\nx=0\nk=2\n");
    EXPECT_EQ(doc.ReadString("S", "k", ""), "1");
    doc.WriteString("S", "k", "3");
    EXPECT_EQ(doc.Text(), "[S]\r\nk=3\r\nx=0\r\nk=2\r\n");
    doc.DeleteKey("S", "k");
    EXPECT_EQ(doc.Text(), "[S]\r\nx=0\r\n");
}

TEST(IniDocument, DeleteReexaminesTheLineThatMovesUpAndStopsAtTheNextSection) {
    auto doc = Doc("[A]\nk=1\nk=2\n[B]\nk=3\n");
    doc.DeleteKey("A", "k");
    EXPECT_EQ(doc.Text(), "[A]\r\n[B]\r\nk=3\r\n");
    doc.DeleteKey("Missing", "k");
    EXPECT_EQ(doc.Count(), 3);
}

TEST(IniDocument, OnlyTheFirstSectionOfAGivenNameIsReadOrChanged) {
    auto doc = Doc("[A]\nk=1\n[B]\n[a]\nk=2\nz=9\n");
    EXPECT_EQ(doc.ReadString("A", "z", "none"), "none");
    doc.WriteString("A", "z", "1");
    EXPECT_EQ(doc.Text(), "[A]\r\nk=1\r\nz=1\r\n[B]\r\n[a]\r\nk=2\r\nz=9\r\n");
}

TEST(IniDocument, NewKeysGoAfterEverythingTheBodyHolds) {
    auto doc = Doc("; comment\n[A]\nk=1\n\n\n[B]\nx=1");
    doc.WriteString("A", "n", "v");
    EXPECT_EQ(doc.Text(), "; comment\r\n[A]\r\nk=1\r\n\r\n\r\nn=v\r\n[B]\r\nx=1\r\n");
    doc.WriteString("B", "y", "2");
    EXPECT_EQ(doc[doc.Count() - 1], "y=2");
    doc.WriteString("C", "z", "3");
    EXPECT_EQ(doc[doc.Count() - 2], "[C]");
    EXPECT_EQ(doc[doc.Count() - 1], "z=3");
}

TEST(IniDocument, ReadsIntegersInDecimalAndHexadecimalWithinThirtyTwoBits) {
    const auto doc = Doc("[S]\n"
                         "hex0x=0x1F\nhexDollar=$1F\nlead= 31\ntrail=31 \nexp=1e3\nbare0x=0x\n"
                         "upper=0XFF\nlower=$ff\nneg=-12\nplus=+7\nnegHex=-$10\nxLead=x1F\nblankHex= 0x1F\n"
                         "max=2147483647\nmin=-2147483648\nover=2147483648\nunder=-2147483649\n"
                         "hexOver=$80000000\nempty=\ndollar=$\nsign=-\nbool2=2\nboolTrue=true\n");
    EXPECT_EQ(doc.ReadInteger("S", "hex0x", -1), 31);
    EXPECT_EQ(doc.ReadInteger("S", "hexDollar", -1), 31);
    EXPECT_EQ(doc.ReadInteger("S", "lead", -1), 31);
    EXPECT_EQ(doc.ReadInteger("S", "trail", -1), -1);
    EXPECT_EQ(doc.ReadInteger("S", "exp", -1), -1);
    EXPECT_EQ(doc.ReadInteger("S", "bare0x", -1), -1);
    EXPECT_EQ(doc.ReadInteger("S", "upper", -1), 255);
    EXPECT_EQ(doc.ReadInteger("S", "lower", -1), 255);
    EXPECT_EQ(doc.ReadInteger("S", "neg", 0), -12);
    EXPECT_EQ(doc.ReadInteger("S", "plus", 0), 7);
    EXPECT_EQ(doc.ReadInteger("S", "negHex", 0), -16);
    EXPECT_EQ(doc.ReadInteger("S", "xLead", 0), 31);
    EXPECT_EQ(doc.ReadInteger("S", "blankHex", 0), 31);
    EXPECT_EQ(doc.ReadInteger("S", "max", 0), 2147483647);
    EXPECT_EQ(doc.ReadInteger("S", "min", 0), INT32_MIN);
    EXPECT_EQ(doc.ReadInteger("S", "over", 5), 5);
    EXPECT_EQ(doc.ReadInteger("S", "under", 5), 5);
    EXPECT_EQ(doc.ReadInteger("S", "hexOver", 5), 5);
    EXPECT_EQ(doc.ReadInteger("S", "empty", 5), 5);
    EXPECT_EQ(doc.ReadInteger("S", "dollar", 5), 5);
    EXPECT_EQ(doc.ReadInteger("S", "sign", 5), 5);
    EXPECT_EQ(doc.ReadInteger("S", "missing", 5), 5);
    EXPECT_TRUE(doc.ReadBool("S", "bool2", false));
    EXPECT_TRUE(doc.ReadBool("S", "neg", false));
    EXPECT_FALSE(doc.ReadBool("S", "boolTrue", false));
    EXPECT_TRUE(doc.ReadBool("S", "boolTrue", true));
    EXPECT_FALSE(doc.ReadBool("S", "exp", false));
}

TEST(IniDocument, WritesIntegersAndBooleansAsTheyAreReadBack) {
    tStringListINI doc;
    doc.WriteInteger("S", "i", -42);
    doc.WriteBool("S", "t", true);
    doc.WriteBool("S", "f", false);
    EXPECT_EQ(doc.Text(), "[S]\r\ni=-42\r\nt=1\r\nf=0\r\n");
}

TEST(IniDocument, ListsSectionNamesOnceInOrderOfFirstAppearance) {
    const auto doc = Doc("[A]\n[a]\n x\n[B]\n [C]\n[]\n[A]\n");
    tStringList names;
    names.Add("stale");
    doc.ReadSections(names);
    EXPECT_EQ(names.Lines(), (std::vector<std::string>{"A", "B", ""}));
}

TEST(IniDocument, ReadSectionAppendsTheHeaderAsPassedAndTheBodyAsStored) {
    const auto doc = Doc("[Alpha]\nk=1\n\n; note\n[Beta]\nq=2\n");
    tStringList out;
    out.Add("kept");
    doc.ReadSection("ALPHA", out);
    doc.ReadSection("Missing", out);
    EXPECT_EQ(out.Lines(), (std::vector<std::string>{"kept", "[ALPHA]", "k=1", "", "; note"}));
}

TEST(IniDocument, RenameSectionRenamesEveryHeaderOfThatName) {
    auto doc = Doc("[Old]\nk=1\n[OLD]\n[Other]\n[Old] \n");
    doc.RenameSection("old", "New");
    EXPECT_EQ(doc.Text(), "[New]\r\nk=1\r\n[New]\r\n[Other]\r\n[Old] \r\n");
}
