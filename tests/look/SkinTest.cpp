// SPDX-License-Identifier: GPL-3.0-or-later
#include "LookFixture.h"
#include "look/uFolderScan.h"
#include "look/uSkinFile.h"
#include "look/uSkinTable.h"
#include "platform/uResource.h"
#include "tests/support/ScopedSharedDataDirs.h"

#include <QFile>
#include <map>

namespace {

constexpr uint32_t kRed = 255;

std::vector<std::string> Items(const tChoiceList& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i) {
        items.push_back(list.Item(i));
    }
    return items;
}

// Every colour of the record against the built-in value, except the ones named "Section.key".
void ExpectColors(const std::map<std::string, uint32_t>& changed) {
    tSkinSettings builtIn;
    for (const tSkinColorRow& row : SkinColorRows()) {
        const std::string name = std::string(row.section) + "." + row.key;
        const auto it = changed.find(name);
        const uint32_t expected = it != changed.end() ? it->second : row.field(builtIn);
        EXPECT_EQ(row.field(SkinSettings), expected) << name;
    }
}

bool SamePixels(const QImage& a, const QImage& b) {
    return a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

void Pick(const std::string& name) {
    SkinList.SelectName(name);
    cbSkinChange();
}

class Skins : public LookFixture {
protected:
    void SetUp() override {
        LookFixture::SetUp();
        LoadDefaultSkin();
    }
    void LoadSkin(const std::vector<std::string>& lines) {
        WriteSkin("test", lines);
        LoadDefaultSkin();
        LoadSkinFile(Path("skin/test/"));
    }
};

} // namespace

TEST_F(Skins, ScanOffersPlainFoldersHoldingASkinIniSortedAfterTheBuiltInSkin) {
    WriteSkin("zeta", {});
    WriteSkin("Alpha", {});
    WriteSkin("(Default)", {});
    WriteSkin(".hidden", {});
    MakeFolder("skin/empty");
    WriteFile("skin/file", "");
    WriteFile("skin/other/Skin.txt", "");
    ScanSkins();
    EXPECT_EQ(Items(SkinList), (std::vector<std::string>{"(Default)", "Alpha", "zeta"}));
    EXPECT_EQ(SkinList.ItemIndex(), 0);
}

TEST_F(Skins, ScanLeavesOutReadOnlyFolders) {
    WriteSkin("locked", {});
    QFile::setPermissions(QString::fromStdString(Path("skin/locked")),
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
    ScanSkins();
    EXPECT_EQ(Items(SkinList), (std::vector<std::string>{"(Default)"}));
}

TEST_F(Skins, TheBuiltInSkinHasTheProgramsColoursAndPictures) {
    SkinSettings.Author = "kept";
    int applied = 0;
    int background = 0;
    tSubscription a = AddSkinTarget([&] { ++applied; });
    tSubscription b = AddSkinBackgroundTarget([&] { ++background; });
    LoadDefaultSkin();
    a.Cancel();
    b.Cancel();
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(background, 1);
    ExpectColors({});
    for (const tSkinBitmapRow& row : SkinBitmapRows()) {
        const tBitmap& bitmap = row.field(SkinSettings);
        if (!row.resource) {
            continue;
        }
        EXPECT_EQ(bitmap.Width(), row.width - (row.keyColumn ? 1 : 0)) << row.key;
        EXPECT_EQ(bitmap.Height(), row.height) << row.key;
        EXPECT_TRUE(SamePixels(bitmap.image, LoadResourceBitmap(row.resource))) << row.key;
        EXPECT_EQ(bitmap.transparent, std::string_view(row.key) == "btmBlockShadow") << row.key;
    }
    EXPECT_EQ(SkinSettings.Glass.btmBlockShadow.transparentColor & 0xFFFFFF, 0xFF0000u);
    const QImage& well = SkinSettings.Glass.btmGlass.image;
    ASSERT_EQ(well.size(), QSize(200, 400));
    for (const QPoint corner : {QPoint(0, 0), QPoint(180, 380), QPoint(60, 200)}) {
        EXPECT_EQ(well.copy(corner.x(), corner.y(), 20, 20), SkinSettings.Glass.btmBlockFree.image);
    }
    EXPECT_TRUE(SkinSettings.Panel_Game.btmBG.Empty());
    EXPECT_EQ(SkinSettings.Author, "kept");
    EXPECT_EQ(SkinHint("(Default)"), "Default skin");
}

TEST_F(Skins, BuildsOutsideSixtyOneToSixtyFourWarnButTheSkinIsApplied) {
    const struct {
        const char* build;
        const char* message;
    } cases[] = {{"Build=61", nullptr},
                 {"Build=64", nullptr},
                 {"Build=60", "Skin out of date... Some problems may occur."},
                 {"", "Skin out of date... Some problems may occur."},
                 {"Build=65", "Skin designed for newer version of game... Some problems may occur."}};
    for (const auto& c : cases) {
        messages.clear();
        LoadSkin({"[General]", c.build, "[Common]", "clrText=255"});
        EXPECT_EQ(messages, c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{})
            << c.build;
        EXPECT_EQ(SkinSettings.Common.clrText, kRed) << c.build;
    }
}

TEST_F(Skins, TheCommonPanelColourReachesEveryPanelButTheGridAndHintArrow) {
    LoadSkin({"[General]", "Build=64", "[Common]", "clrPanel=255"});
    ExpectColors({{"Common.clrPanel", kRed},
                  {"Panel_Game.clrPanel", kRed},
                  {"Hint.clrBackGround", kRed},
                  {"Panel_Conf.clrPanel", kRed},
                  {"Panel_Conf.clrComboBox", kRed},
                  {"Panel_Conf.clrComboBoxArrowBackGround", kRed},
                  {"Panel_Conf.clrSpinEditFlat", kRed},
                  {"Panel_Conf.clrSpinEditFocused", kRed},
                  {"Panel_Conf.clrCheckBoxDown", kRed},
                  {"Panel_Conf.clrCheckBoxFocused", kRed},
                  {"Panel_Conf.clrEditFlat", kRed},
                  {"Panel_Conf.clrEditFocused", kRed},
                  {"MessageBox.clrPanel", kRed}});
    EXPECT_EQ(SkinSettings.HiScore.clrLineCurrent, skincolor::DarkRed);
    EXPECT_EQ(SkinSettings.Hint.clrArrowBackGround, skincolor::DarkRed);
}

TEST_F(Skins, TheOptionsPanelColourReachesComboAndSpinFacesOnly) {
    LoadSkin({"[General]", "Build=64", "[Panel_Conf]", "clrPanel=255"});
    ExpectColors({{"Panel_Conf.clrPanel", kRed},
                  {"Panel_Conf.clrComboBox", kRed},
                  {"Panel_Conf.clrComboBoxArrowBackGround", kRed},
                  {"Panel_Conf.clrSpinEditFlat", kRed},
                  {"Panel_Conf.clrSpinEditFocused", kRed}});
}

TEST_F(Skins, ColourValuesAreReadInDecimalOrHexadecimalAndAnythingElseIsMissing) {
    for (const char* red : {"255", "$FF", "0xff", "0XFF", "$0000ff"}) {
        LoadSkin({"[General]", "Build=64", "[Common]", std::string("clrText=") + red});
        EXPECT_EQ(SkinSettings.Common.clrText, kRed) << red;
    }
    for (const char* bad : {"red", "", "-1", "$1000000", "12a", "0x"}) {
        LoadSkin({"[General]", "Build=64", "[Common]", std::string("clrText=") + bad});
        EXPECT_EQ(SkinSettings.Common.clrText, skincolor::White) << bad;
    }
}

TEST_F(Skins, TheLineBorderColourServesOnlyAsTheDefaultOfTheFourLineBorders) {
    LoadSkin({"[General]", "Build=64", "[HiScore]", "clrLBorder=255", "clrLBorderHead=$00FF00"});
    EXPECT_EQ(SkinSettings.HiScore.clrLBorderLooser, kRed);
    EXPECT_EQ(SkinSettings.HiScore.clrLBorderCurrent, kRed);
    EXPECT_EQ(SkinSettings.HiScore.clrLBorderOther, kRed);
    EXPECT_EQ(SkinSettings.HiScore.clrLBorderHead, 0xFF00u);
    LoadDefaultSkin();
    EXPECT_EQ(SkinSettings.HiScore.clrLBorder, kRed);
    EXPECT_EQ(SkinSettings.HiScore.clrLBorderLooser, skincolor::LineRed);
}

TEST_F(Skins, InformationLinesFeedTheSkinHint) {
    LoadSkin({"[General]", "Build=64", "Author=Bo", "Version=3", "EMail=bo@example.org", "Comment=Dark"});
    EXPECT_EQ(SkinHint("test"), "Author : Bo\r\nVersion : 3\r\nE-Mail : bo@example.org\r\nComment : Dark");
    LoadDefaultSkin();
    EXPECT_EQ(SkinSettings.Author, "Bo");
    LoadSkin({"[General]", "Build=64"});
    EXPECT_EQ(SkinHint("test"), "Author : \r\nVersion : \r\nE-Mail : \r\nComment : ");
}

TEST_F(Skins, PickingSkinsAppliesThemAndShowsTheOptionsPageAgain) {
    WriteSkin("Blue", {"[General]", "Build=64", "Author=b", "[Common]", "clrPanel=$FF0000"});
    ScanSkins();
    int shown = 0;
    tSubscription id = AddSkinListTarget([&] { ++shown; });
    Pick("Blue");
    EXPECT_EQ(SkinSettings.Common.clrPanel, 0xFF0000u);
    EXPECT_EQ(SkinList.Hint(), "Author : b\r\nVersion : \r\nE-Mail : \r\nComment : ");
    Pick("Blue");
    EXPECT_EQ(shown, 1);
    Pick("(Default)");
    id.Cancel();
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(SkinSettings.Common.clrPanel, skincolor::DarkRed);
    EXPECT_EQ(SkinList.Hint(), "Default skin");
    EXPECT_TRUE(messages.empty());
}

TEST_F(Skins, ASkinDeletedAfterStartUpBringsBackTheBuiltInLook) {
    WriteSkin("Blue", {"[General]", "Build=64", "Author=b", "[Common]", "clrPanel=$FF0000"});
    WriteSkin("Gone", {"[General]", "Build=64", "[Common]", "clrPanel=$00FF00"});
    ScanSkins();
    Pick("Blue");
    ASSERT_EQ(SkinSettings.Common.clrPanel, 0xFF0000u);
    ASSERT_EQ(::unlink(Path("skin/Gone/skin.ini").c_str()), 0);
    Pick("Gone");
    EXPECT_EQ(messages, (std::vector<std::string>{"Skin not found... Default loaded."}));
    EXPECT_EQ(Items(SkinList), (std::vector<std::string>{"(Default)", "Blue"}));
    EXPECT_EQ(SkinList.Text(), "(Default)");
    EXPECT_EQ(SkinList.Hint(), "Default skin");
    ExpectColors({});

    // Now "(Default)" is the name applied last, so the fallback's own change handling does nothing; the
    // information of Blue, read last, must not reach the hint.
    Pick("Blue");
    Pick("(Default)");
    SkinList.Add("Gone too");
    Pick("Gone too");
    EXPECT_EQ(SkinList.Text(), "(Default)");
    EXPECT_EQ(SkinList.Hint(), "Default skin");
}

TEST_F(Skins, InstalledSkinsAndLanguagesComeAfterTheDataFolderWhoseCopiesWin) {
    const tScopedSharedDataDirs shared({Path("usr/share/stakkar")});
    WriteSkin("Mine", {"[General]", "Build=64", "Author=data", "[Common]", "clrPanel=$0000FF"});
    WriteFile("usr/share/stakkar/skin/Mine/skin.ini",
              JoinLines({"[General]", "Build=64", "Author=installed"}));
    WriteFile("usr/share/stakkar/skin/Aurora/skin.ini",
              JoinLines({"[General]", "Build=64", "Author=installed", "[Common]", "clrPanel=$00FF00"}));
    WriteLanguage("Mine", {"[General]", "Build=64", "Author=data"});
    WriteFile("usr/share/stakkar/lang/Mine.lng", JoinLines({"[General]", "Build=64", "Author=installed"}));
    WriteFile("usr/share/stakkar/lang/Other.lng", JoinLines({"[General]", "Build=64", "Author=installed"}));
    ScanSkins();
    ScanLanguages();
    EXPECT_EQ(Items(SkinList), (std::vector<std::string>{"(Default)", "Aurora", "Mine"}));
    EXPECT_EQ(Items(LanguageList), (std::vector<std::string>{"(Default)", "Mine", "Other"}));

    Pick("Aurora");
    EXPECT_EQ(SkinSettings.Common.clrPanel, 0x00FF00u);
    Pick("Mine");
    EXPECT_EQ(SkinSettings.Author, "data");
    SelectLanguage("Other");
    EXPECT_EQ(LanguageTable.Author, "installed");
    SelectLanguage("Mine");
    EXPECT_EQ(LanguageTable.Author, "data");
    EXPECT_TRUE(messages.empty());
}

TEST_F(Skins, ASkinIniLargerThanAnyRealOneIsNotFound) {
    // A comment pads each file to its size; the colour line follows it.
    const auto padded = [](size_t size) {
        const std::string tail = "\r\n[Common]\r\nclrPanel=$FF0000\r\n";
        return ";" + std::string(size - 1 - tail.size(), 'x') + tail;
    };
    WriteFile("skin/Largest/skin.ini", padded(kMaxLookFileBytes));
    WriteFile("skin/Huge/skin.ini", padded(kMaxLookFileBytes + 1));
    ScanSkins();
    Pick("Largest");
    EXPECT_EQ(SkinSettings.Common.clrPanel, 0xFF0000u);
    messages.clear();
    Pick("Huge");
    EXPECT_EQ(messages, (std::vector<std::string>{"Skin not found... Default loaded."}));
    EXPECT_EQ(SkinList.Text(), "(Default)");
    ExpectColors({});
}

TEST_F(Skins, AtLogInAMissingStoredSkinFallsBackWithTheMessage) {
    ScanSkins();
    int shown = 0;
    tSubscription id = AddSkinListTarget([&] { ++shown; });
    LoadDefaultSkin();
    SelectSkin("Nowhere");
    id.Cancel();
    EXPECT_EQ(messages, (std::vector<std::string>{"Skin not found... Default loaded."}));
    EXPECT_EQ(SkinList.Text(), "(Default)");
    EXPECT_EQ(SkinList.LastName(), "(Default)");
    EXPECT_EQ(shown, 1);
    ExpectColors({});

    // A stored "(default)" differs from the built-in name only in case; it must not take that entry away.
    LoadDefaultSkin();
    SelectSkin("(default)");
    EXPECT_EQ(Items(SkinList), (std::vector<std::string>{"(Default)"}));
    EXPECT_EQ(SkinList.ItemIndex(), 0);
}
