// SPDX-License-Identifier: GPL-3.0-or-later
#include "LookFixture.h"
#include "look/uFolderScan.h"
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

TEST_F(ShippedData, EveryLanguageSetsEveryTextInItsOwnCodePageAndHasItsHelp) {
    // A word of each language that only its own code page spells right.
    const struct {
        const char* name;
        const char* codePage;
        const char* key;
        const char* text;
    } languages[] = {
        {"English", "1252", "s2102", "Difficulty"},
        {"Deutsch", "1252", "s0000", "Meldung schließen"},
        {"Français", "1252", "s2106", "Plein écran"},
        {"Español", "1252", "s1204", "Fin de la partida"},
        {"Polski", "1250", "s2107", "Dźwięki"},
        {"Українська", "1251", "s2302", "Мова"},
        {"Русский", "", "s2107", "Звуки"},
    };
    ScanLanguages();
    ASSERT_EQ(LanguageList.Count(), static_cast<int>(std::size(languages)) + 1);
    tStringList builtIn;
    builtIn.SetText(LoadResourceData(":/LangDef").toStdString());
    ASSERT_EQ(builtIn.Count(), 99);
    for (const auto& language : languages) {
        const std::string name = NameOfFile(QString::fromUtf8(language.name));
        tStringListINI file;
        ASSERT_TRUE(file.LoadFromFile(
            Path("lang/") + QFile::encodeName(QString::fromUtf8(language.name)).toStdString() + ".lng"))
            << language.name;
        EXPECT_EQ(file.ReadString("General", "CodePage", ""), language.codePage) << language.name;
        for (const std::string& line : builtIn.Lines()) {
            EXPECT_NE(file.ReadString("Language", line.substr(0, 5), ""), "") << language.name << " " << line;
        }
        LanguageList.SelectName(name);
        cbLanguageChange();
        EXPECT_EQ(LanguageList.Text(), name);
        EXPECT_EQ(LangText(language.key), QString::fromUtf8(language.text)) << language.name;
        ASSERT_FALSE(LanguageTable.Help.isEmpty()) << language.name;
        EXPECT_TRUE(QFileInfo(QString::fromStdString(Path("lang/")) + LanguageTable.Help).isFile())
            << language.name;
    }
    EXPECT_TRUE(messages.empty());
    // The file without a code page is Windows-1251 bytes, not UTF-8, and every text differs from English.
    QFile file(QString::fromStdString(Path("lang/")) + QString::fromUtf8("Русский.lng"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(file.readAll());
    EXPECT_FALSE(decoded.isEmpty());
    EXPECT_TRUE(utf8.hasError());
    for (const std::string& line : builtIn.Lines()) {
        if (line.substr(0, 5) != "s2305") {
            EXPECT_NE(LangText(line.substr(0, 5)), FromCodePage(line.substr(6)))
                << line << " is still English";
        }
    }
    // The built-in language helps in English.
    LanguageList.SetItemIndex(0);
    cbLanguageChange();
    EXPECT_TRUE(QFileInfo(QString::fromStdString(Path("lang/")) + LanguageTable.Help).isFile());
}
