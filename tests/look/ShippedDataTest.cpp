// SPDX-License-Identifier: GPL-3.0-or-later
#include "LookFixture.h"
#include "look/uSkinFile.h"
#include "look/uSkinTable.h"
#include "platform/uCodePage.h"
#include "platform/uResource.h"
#include "storage/uSLIni.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

const std::string kData = STAKKAR_DATA_DIR;
const std::string kDrawnSkins = STAKKAR_DRAWN_SKIN_DIR;

void CopyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + "/" + QDir(from).relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::remove(target);
        ASSERT_TRUE(QFile::copy(file, target)) << file.toStdString();
    }
}

// The game's folder as tools/play.sh lays it out.
class ShippedData : public LookFixture {
protected:
    void SetUp() override {
        LookFixture::SetUp();
        const QString base = QString::fromStdString(BaseDir);
        CopyTree(QString::fromStdString(kData + "/skin"), base + "/skin");
        CopyTree(QString::fromStdString(kDrawnSkins), base + "/skin");
        CopyTree(QString::fromStdString(kData + "/lang"), base + "/lang");
    }
};

} // namespace

TEST_F(ShippedData, TheSampleSkinSetsEveryKeyWithItsOwnBitmaps) {
    ScanSkins();
    ASSERT_EQ(SkinList.Find("Aurora"), 1);
    tStringListINI ini;
    ASSERT_TRUE(ini.LoadFromFile(Path("skin/Aurora/skin.ini")));
    for (const tSkinColorRow& row : SkinColorRows()) {
        EXPECT_TRUE(ParseInteger(ini.ReadString(row.section, row.key, ""))) << row.section << " " << row.key;
    }
    for (const char* key : {"Author", "Version", "EMail", "Comment"}) {
        EXPECT_NE(ini.ReadString("General", key, ""), "") << key;
    }
    LoadDefaultSkin();
    tSkinSettings builtIn = SkinSettings;
    SkinList.SelectName("Aurora");
    cbSkinChange();
    EXPECT_TRUE(messages.empty());
    std::vector<tSkinBitmapRow> rows(SkinBitmapRows().begin(), SkinBitmapRows().end());
    rows.push_back(SkinBackgroundRow());
    for (const tSkinBitmapRow& row : rows) {
        tBitmap loaded;
        EXPECT_TRUE(LoadSkinBitmap(Path("skin/Aurora/"), ini, loaded, row.section, row.key, row.width,
                                   row.height, row.keyColumn))
            << row.key;
        EXPECT_EQ(row.field(SkinSettings).image, loaded.image) << row.key;
        EXPECT_NE(row.field(SkinSettings).image, row.field(builtIn).image) << row.key;
    }
    EXPECT_NE(SkinSettings.Common.clrPanel, skincolor::DarkRed);
    EXPECT_EQ(SkinSettings.Author, "The Stakkar project");
}

TEST_F(ShippedData, TheRussianLanguageSetsEveryTextInWindows1251) {
    ScanLanguages();
    const std::string russian = ToCodePage(QString::fromUtf8("Русский"));
    ASSERT_EQ(LanguageList.Find(russian), 1);
    LanguageList.SetItemIndex(1);
    cbLanguageChange();
    EXPECT_TRUE(messages.empty());
    tStringList builtIn;
    builtIn.SetText(LoadResourceData(":/LangDef").toStdString());
    ASSERT_EQ(builtIn.Count(), 73);
    for (const std::string& line : builtIn.Lines()) {
        const std::string key = line.substr(0, 5);
        const std::string text = LangText(key);
        EXPECT_FALSE(text.empty()) << key;
        if (key != "s2305") {
            EXPECT_NE(text, line.substr(6)) << key << " is still English";
        }
    }
    // Windows-1251 bytes, not UTF-8.
    QFile file(QString::fromStdString(Path("lang/")) + QString::fromUtf8("Русский.lng"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(file.readAll());
    EXPECT_FALSE(decoded.isEmpty());
    EXPECT_TRUE(utf8.hasError());
    EXPECT_EQ(FromCodePage(LangText("s1000")), QString::fromUtf8("Игра"));
    EXPECT_EQ(FromCodePage(LangText("s2107")), QString::fromUtf8("Звуки"));
    ASSERT_FALSE(LanguageTable.Help.empty());
    EXPECT_TRUE(QFileInfo(QString::fromStdString(Path("lang/" + LanguageTable.Help))).isFile());
}
