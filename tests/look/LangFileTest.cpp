// SPDX-License-Identifier: GPL-3.0-or-later
#include "LookFixture.h"
#include "look/uFolderScan.h"
#include "platform/uCodePage.h"

#include <QFile>
#include <QStringEncoder>
#include <unistd.h>

namespace {

const char* kOutOfDate = "Language file out of date... Some problem may occur";
const char* kNewer = "Language file designed for newer version of Stakkar... Some problem may occur";
const char* kNotFound = "Language file not found... Default loaded.";

std::vector<std::string> Items(const tChoiceList& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i) {
        items.push_back(list.Item(i));
    }
    return items;
}

// The player picks an entry of the language list.
void Pick(const std::string& name) {
    LanguageList.SelectName(name);
    cbLanguageChange();
}

class LanguageFiles : public LookFixture {};

} // namespace

TEST_F(LanguageFiles, ScanOffersFilesOfEveryKindButNotFoldersNorTheBuiltInName) {
    WriteLanguage("zulu", {});
    WriteLanguage("Alpha", {});
    WriteLanguage("beta", {});
    WriteLanguage("(Default)", {});
    WriteLanguage("(default)", {});
    WriteLanguage(".hidden", {});
    WriteLanguage("locked", {});
    QFile::setPermissions(QString::fromStdString(Path("lang/locked.lng")), QFile::ReadOwner);
    MakeFolder("lang/folder.lng");
    WriteFile("lang/notes.txt", "");
    WriteFile("lang/Upper.LNG", "");
    ScanLanguages();
    EXPECT_EQ(Items(LanguageList), (std::vector<std::string>{"(Default)", "(default)", ".hidden", "Alpha",
                                                             "beta", "locked", "zulu"}));
    EXPECT_EQ(LanguageList.ItemIndex(), 0);
}

TEST_F(LanguageFiles, ScanWithoutALanguageFolderOffersOnlyTheBuiltInLanguage) {
    ScanLanguages();
    EXPECT_EQ(Items(LanguageList), (std::vector<std::string>{"(Default)"}));
}

TEST_F(LanguageFiles, BuildsOutsideFiftyFiveToSixtyFourWarnButLoadAllTheSame) {
    const struct {
        const char* build;
        const char* message;
    } cases[] = {{"Build=55", nullptr},    {"Build=64", nullptr}, {"Build=$40", nullptr},
                 {"Build=54", kOutOfDate}, {"Build=65", kNewer},  {"", kOutOfDate},
                 {"Build=new", kOutOfDate}};
    for (const auto& c : cases) {
        messages.clear();
        WriteLanguage("test", {"[General]", c.build, "[Language]", "s2107=Klang"});
        LoadDefaultLanguage();
        LoadLanguageFile(Path("lang/test.lng"));
        EXPECT_EQ(messages, c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{})
            << c.build;
        EXPECT_EQ(LangText("s2107"), "Klang") << c.build;
    }
}

TEST_F(LanguageFiles, OnlyKeysOfTheTextSpaceAreReadAndMissingOnesKeepTheirText) {
    WriteLanguage("test", {"[General]", "Build=64", "[Other]", "s1000=wrong section", "[Language]",
                           "s0011=item eleven", "s0060=subgroup six", "s4000=group four", "s00100=long",
                           "s3510=last slot", "s2107=Klang", "junk line", "s1202"});
    LoadLanguageFile(Path("lang/test.lng"));
    EXPECT_EQ(LangText("s3510"), "last slot");
    EXPECT_EQ(LangText("s2107"), "Klang");
    EXPECT_EQ(LangText("s1000"), "Game");
    EXPECT_EQ(LangText("s1202"), "Pause");
    for (int slot = 0; slot < kLanguageSlots; ++slot) {
        const QString& text = LanguageTable.texts[static_cast<size_t>(slot)];
        EXPECT_TRUE(!text.contains("eleven") && !text.contains("six") && !text.contains("four") &&
                    !text.contains("long"))
            << LanguageKey(slot) << " = " << text.toStdString();
    }
}

TEST_F(LanguageFiles, InformationLinesFeedTheHintAndHelpKeepsItsValueWhenMissing) {
    WriteLanguage("full", {"[General]", "Build=64", "Help=full.html", "Author=Ann", "Version=2",
                           "EMail=ann@example.org", "Comment=Fine"});
    WriteLanguage("bare", {"[General]", "Build=64"});
    LoadLanguageFile(Path("lang/full.lng"));
    EXPECT_EQ(LanguageTable.Help, "full.html");
    EXPECT_EQ(LanguageHint("full"),
              "Author : Ann\r\nVersion : 2\r\nE-Mail : ann@example.org\r\nComment : Fine");
    LoadLanguageFile(Path("lang/bare.lng"));
    EXPECT_EQ(LanguageTable.Help, "full.html");
    EXPECT_EQ(LanguageHint("bare"), "Author : \r\nVersion : \r\nE-Mail : \r\nComment : ");
    EXPECT_EQ(LanguageHint("(Default)"), "Default language");
    LoadDefaultLanguage();
    EXPECT_EQ(LanguageTable.Help, "stakkar-en.html");
}

TEST_F(LanguageFiles, SwitchingLanguagesShowsEnglishWhereTheNewOneIsSilent) {
    WriteLanguage("A", {"[General]", "Build=64", "Author=a", "[Language]", "s2107=A-Sounds", "s1000=A-Game"});
    WriteLanguage("B", {"[General]", "Build=64", "[Language]", "s1000=B-Game"});
    ScanLanguages();
    Pick("A");
    EXPECT_EQ(LangText("s2107"), "A-Sounds");
    EXPECT_EQ(LanguageList.Hint(), "Author : a\r\nVersion : \r\nE-Mail : \r\nComment : ");
    Pick("B");
    EXPECT_EQ(LangText("s2107"), "Sounds");
    EXPECT_EQ(LangText("s1000"), "B-Game");
    EXPECT_EQ(LanguageList.LastName(), "B");
    Pick("(Default)");
    EXPECT_EQ(LangText("s1000"), "Game");
    EXPECT_EQ(LanguageList.Hint(), "Default language");
    EXPECT_TRUE(messages.empty());
}

TEST_F(LanguageFiles, PickingTheEntryAppliedLastReloadsNothing) {
    WriteLanguage("A", {"[General]", "Build=64", "[Language]", "s2107=A-Sounds"});
    ScanLanguages();
    int applied = 0;
    tSubscription id = AddLanguageTarget([&] { ++applied; });
    Pick("A");
    const int afterFirst = applied;
    EXPECT_GE(afterFirst, 2); // the reset and the file
    Pick("A");
    id.Cancel();
    EXPECT_EQ(applied, afterFirst);
}

TEST_F(LanguageFiles, ALanguageDeletedAfterStartUpFallsBackToEnglishAndLeavesTheList) {
    WriteLanguage("A", {"[General]", "Build=64", "[Language]", "s2107=A-Sounds"});
    WriteLanguage("Gone", {"[General]", "Build=64", "[Language]", "s2107=Gone-Sounds"});
    ScanLanguages();
    Pick("A");
    ASSERT_EQ(LangText("s2107"), "A-Sounds");
    ASSERT_EQ(::unlink(Path("lang/Gone.lng").c_str()), 0);
    Pick("Gone");
    EXPECT_EQ(messages, (std::vector<std::string>{kNotFound}));
    EXPECT_EQ(Items(LanguageList), (std::vector<std::string>{"(Default)", "A"}));
    EXPECT_EQ(LanguageList.Text(), "(Default)");
    EXPECT_EQ(LanguageList.LastName(), "(Default)");
    EXPECT_EQ(LangText("s2107"), "Sounds");
    EXPECT_EQ(LanguageList.Hint(), "Default language");

    // Now "(Default)" is the name applied last, so the fallback's own change handling does nothing.
    LanguageList.Add("Gone too");
    Pick("Gone too");
    EXPECT_EQ(LanguageList.Text(), "(Default)");
    EXPECT_EQ(LanguageList.Hint(), "Default language");
}

TEST_F(LanguageFiles, AFileLargerThanAnyRealOneIsNotFound) {
    const std::string head = "[General]\r\nBuild=64\r\n[Language]\r\ns2107=";
    WriteFile("lang/Largest.lng", head + std::string(kMaxLookFileBytes - head.size(), 'L'));
    WriteFile("lang/Long.lng", head + std::string(kMaxLookFileBytes + 1 - head.size(), 'x'));
    ScanLanguages();
    Pick("Largest");
    EXPECT_EQ(LangText("s2107"), QString(static_cast<qsizetype>(kMaxLookFileBytes - head.size()), u'L'));
    Pick("Long");
    EXPECT_EQ(messages, (std::vector<std::string>{kNotFound}));
    EXPECT_EQ(LanguageList.Text(), "(Default)");
    EXPECT_EQ(LangText("s2107"), "Sounds");
}

TEST_F(LanguageFiles, TheLowerCaseDefaultFileIsALanguageOfItsOwn) {
    WriteLanguage("(default)", {"[General]", "Build=64", "[Language]", "s2107=lower"});
    ScanLanguages();
    Pick("(default)");
    EXPECT_EQ(LangText("s2107"), "lower");
    EXPECT_EQ(LanguageList.ItemIndex(), 1);
    ASSERT_EQ(::unlink(Path("lang/(default).lng").c_str()), 0);
    LanguageList.SetItemIndex(0);
    cbLanguageChange();
    Pick("(default)");
    EXPECT_EQ(Items(LanguageList), (std::vector<std::string>{"(Default)"}));
    EXPECT_EQ(LanguageList.Text(), "(Default)");

    // A stored "(default)" whose file is gone before start-up is not in the list: the built-in entry stays.
    messages.clear();
    LoadDefaultLanguage();
    SelectLanguage("(default)");
    EXPECT_EQ(messages, (std::vector<std::string>{kNotFound}));
    EXPECT_EQ(Items(LanguageList), (std::vector<std::string>{"(Default)"}));
    EXPECT_EQ(LanguageList.ItemIndex(), 0);
}

TEST_F(LanguageFiles, AStoredNameMissingFromTheListLoadsItsFileWithNoEntrySelected) {
    ScanLanguages();
    WriteLanguage("Late", {"[General]", "Build=64", "Author=late", "[Language]", "s2107=late"});
    LoadDefaultLanguage();
    SelectLanguage("Late");
    EXPECT_EQ(LangText("s2107"), "late");
    EXPECT_EQ(LanguageList.ItemIndex(), -1);
    EXPECT_EQ(LanguageList.Hint(), "Author : late\r\nVersion : \r\nE-Mail : \r\nComment : ");
    EXPECT_TRUE(messages.empty());
}

TEST_F(LanguageFiles, ANameInTheCodePageFindsItsFileOnDisk) {
    const std::string cyrillic = ToCodePage(QString::fromUtf8("Русский"));
    WriteLanguage("Русский",
                  {"[General]", "Build=64", "[Language]", "s2107=" + ToCodePage(QString::fromUtf8("Звуки"))});
    ScanLanguages();
    ASSERT_EQ(Items(LanguageList), (std::vector<std::string>{"(Default)", cyrillic}));
    Pick(cyrillic);
    EXPECT_EQ(LangText("s2107"), QString::fromUtf8("Звуки"));
    EXPECT_TRUE(messages.empty());
    // A letter the code page has no room for is kept as its number, and the number finds the file again; a
    // file whose own name spells such a number would read back as another and is not offered.
    WriteLanguage("Français", {"[General]", "Build=64", "[Language]", "s2107=Sons"});
    WriteLanguage("Fran&#231;ais", {"[General]", "Build=64", "[Language]", "s2107=wrong"});
    WriteLanguage("A&#65;&#1;&#99999999;&#x41;&", {"[General]", "Build=64", "[Language]", "s2107=kept"});
    ScanLanguages();
    ASSERT_EQ(Items(LanguageList), (std::vector<std::string>{"(Default)", "A&#65;&#1;&#99999999;&#x41;&",
                                                             "Fran&#231;ais", cyrillic}));
    EXPECT_EQ(ShownName("Fran&#231;ais"), QString::fromUtf8("Français"));
    EXPECT_EQ(ShownName("A&#65;&#1;&#99999999;&#x41;&"), "A&#65;&#1;&#99999999;&#x41;&");
    EXPECT_EQ(NameOfFile(QString::fromUtf8("Zoë 日本 Иван")),
              ToCodePage("Zo") + "&#235; &#26085;&#26412; " + ToCodePage(QString::fromUtf8("Иван")));
    Pick("Fran&#231;ais");
    EXPECT_EQ(LangText("s2107"), "Sons");
    Pick("A&#65;&#1;&#99999999;&#x41;&");
    EXPECT_EQ(LangText("s2107"), "kept");
    EXPECT_TRUE(messages.empty());
}

TEST_F(LanguageFiles, AStoredNameInAnotherLetterCaseTakesTheListsSpellingAndAPathIsNoName) {
    WriteLanguage("Full", {"[General]", "Build=64", "[Language]", "s2107=full sounds"});
    WriteFile("outside.lng", "[General]\r\nBuild=64\r\n[Language]\r\ns2107=outside\r\n");
    ScanLanguages();
    LoadDefaultLanguage();
    SelectLanguage("full");
    EXPECT_EQ(LangText("s2107"), "full sounds");
    EXPECT_EQ(LanguageList.Text(), "Full");
    EXPECT_TRUE(messages.empty());
    // A name that reaches out of the folder is not found, even where a file lies at its end.
    for (const char* name : {"../outside", "..\\outside", ".."}) {
        messages.clear();
        SelectLanguage(name);
        EXPECT_EQ(messages, (std::vector<std::string>{kNotFound})) << name;
        EXPECT_EQ(LangText("s2107"), "Sounds") << name;
    }
    EXPECT_EQ(Items(LanguageList), (std::vector<std::string>{"(Default)", "Full"}));
}

TEST_F(LanguageFiles, AFileIsReadInTheCodePageItNamesAndOneItCannotBeReadInIsRefused) {
    const auto bytes = [](const char* codePage, const char* utf8) {
        QStringEncoder encoder(codePage);
        const QByteArray encoded = encoder.encode(QString::fromUtf8(utf8));
        return encoded.toStdString();
    };
    const struct {
        const char* codePage;
        std::string text;
        const char* shown;
    } read[] = {
        {"CodePage=1250", bytes("windows-1250", "Dźwięki"), "Dźwięki"},
        {"CodePage=1252", bytes("windows-1252", "Plein écran"), "Plein écran"},
        {"CodePage=UTF-8", "Łódź — ẞ 日本", "Łódź — ẞ 日本"},
        {"", ToCodePage(QString::fromUtf8("Звуки")), "Звуки"},
        {"CodePage=1251", ToCodePage(QString::fromUtf8("Звуки")), "Звуки"},
    };
    for (const auto& c : read) {
        messages.clear();
        WriteLanguage("Polski", {"[General]", "Build=64", c.codePage, "Author=" + c.text, "[Language]",
                                 "s2107=" + c.text});
        ScanLanguages();
        Pick("Polski");
        EXPECT_EQ(LangText("s2107"), QString::fromUtf8(c.shown)) << c.codePage;
        EXPECT_TRUE(LanguageHint("Polski").contains(QString::fromUtf8(c.shown))) << c.codePage;
        EXPECT_TRUE(messages.empty()) << c.codePage;
        Pick("(Default)");
    }
    // A byte order mark before the first section hides nothing and says UTF-8.
    messages.clear();
    WriteFile("lang/Bom.lng", "\xEF\xBB\xBF[General]\r\nBuild=64\r\n[Language]\r\ns2107=Łódź\r\n");
    ScanLanguages();
    Pick("Bom");
    EXPECT_EQ(LangText("s2107"), QString::fromUtf8("Łódź"));
    EXPECT_TRUE(messages.empty());
    const struct {
        const char* codePage;
        std::string text;
        const char* message;
    } refused[] = {
        {"CodePage=Klingon", "Klang", "is written in the code page \"Klingon\", which Stakkar cannot read"},
        {"CodePage=99999", "Klang", "is written in the code page \"99999\", which Stakkar cannot read"},
        {"CodePage=UTF-16", "Klang", "is written in the code page \"UTF-16\", which Stakkar cannot read"},
        {"CodePage=UTF-8", "Kl\xe4ng", "holds bytes that are not text in the code page \"UTF-8\""},
    };
    for (const auto& c : refused) {
        messages.clear();
        WriteLanguage(
            "Bad", {"[General]", "Build=64", c.codePage, "Help=bad.html", "[Language]", "s2107=" + c.text});
        ScanLanguages();
        Pick("Bad");
        ASSERT_EQ(messages.size(), 1u) << c.codePage;
        EXPECT_NE(messages[0].find(c.message), std::string::npos) << messages[0];
        EXPECT_NE(messages[0].find("Bad.lng"), std::string::npos) << messages[0];
        EXPECT_EQ(LangText("s2107"), "Sounds") << c.codePage;
        EXPECT_EQ(LanguageTable.Help, "stakkar-en.html") << c.codePage;
        EXPECT_EQ(LanguageList.Text(), "(Default)") << c.codePage;
        EXPECT_EQ(LanguageList.Hint(), "Default language") << c.codePage;
    }
}
