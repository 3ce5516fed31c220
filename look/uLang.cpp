// SPDX-License-Identifier: GPL-3.0-or-later
#include "look/uLang.h"

#include "look/uFolderScan.h"
#include "platform/uBaseDir.h"
#include "platform/uBuild.h"
#include "platform/uCodePage.h"
#include "platform/uMessage.h"
#include "platform/uResource.h"
#include "platform/uTargets.h"
#include "storage/uSLIni.h"

#include <QFile>
#include <optional>

tLanguageTable LanguageTable;
tChoiceList LanguageList;

namespace {

constexpr int kOldestBuild = 55;
// What a key missing from a file reads as: no value read from a line can hold a line feed.
const std::string kAbsent(1, '\n');
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

tTargetList& Targets() {
    static tTargetList targets;
    return targets;
}

} // namespace

int LanguageSlot(std::string_view key) {
    if (key.size() != 5 || key[0] != 's') {
        return -1;
    }
    const int a = key[1] - '0';
    const int b = key[2] - '0';
    const int c1 = key[3] - '0';
    const int c2 = key[4] - '0';
    if (a < 0 || a > 3 || b < 0 || b > 5 || c1 < 0 || c1 > 1 || c2 < 0 || c2 > 9 || c1 * 10 + c2 > 10) {
        return -1;
    }
    return a * 66 + b * 11 + c1 * 10 + c2;
}

std::string LanguageKey(int slot) {
    const int a = slot / 66;
    const int b = slot % 66 / 11;
    const int cc = slot % 11;
    return {'s', static_cast<char>('0' + a), static_cast<char>('0' + b), static_cast<char>('0' + cc / 10),
            static_cast<char>('0' + cc % 10)};
}

const QString& LangText(std::string_view key) {
    static const QString empty;
    const int slot = LanguageSlot(key);
    return slot < 0 ? empty : LanguageTable.texts[static_cast<size_t>(slot)];
}

QString LangFormat(std::string_view key, std::initializer_list<QString> values) {
    const QString& text = LangText(key);
    QString result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const size_t n =
            i + 1 < text.size() ? static_cast<size_t>(text[i + 1].unicode() - u'1') : values.size();
        if (text[i] == u'%' && n < values.size()) {
            result += values.begin()[n];
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

QString HeaderForm(const QString& text) {
    return ":: " + text + " ::";
}

QString LabelForm(const QString& text) {
    return text + " : ";
}

void LoadLanguageResource() {
    LanguageTable.builtIn.SetText(LoadResourceData(":/LangDef").toStdString());
}

void FreeLanguageResource() {
    LanguageTable.builtIn.Clear();
}

void ScanLanguages() {
    LanguageList.Clear();
    LanguageList.Add(std::string(kDefaultLanguage));
    for (auto& name : ListLanguageNames(SearchPath("lang"))) {
        LanguageList.Add(std::move(name));
    }
    LanguageList.SetItemIndex(0);
}

void LoadDefaultLanguage() {
    for (auto& text : LanguageTable.texts) {
        text.clear();
    }
    LanguageTable.Help = QString::fromLatin1(kDefaultHelp);
    LanguageTable.Author.clear();
    LanguageTable.Version.clear();
    LanguageTable.EMail.clear();
    LanguageTable.Comment.clear();
    for (const auto& line : LanguageTable.builtIn.Lines()) {
        const int slot = LanguageSlot(std::string_view(line).substr(0, 5));
        if (slot >= 0 && line.size() >= 6) {
            LanguageTable.texts[static_cast<size_t>(slot)] = FromCodePage(std::string_view(line).substr(6));
        }
    }
    ApplyLanguage();
}

bool LoadLanguageFile(const std::string& path) {
    tStringListINI file;
    file.LoadFromFile(path, kMaxLookFileBytes);
    const QString shownPath = QFile::decodeName(QByteArray::fromStdString(path));
    // Editors that save UTF-8 often begin the file with a byte order mark, which would hide the first
    // section; it says what the file is when no CodePage line does.
    const bool byteOrderMark = file.Count() > 0 && file[0].rfind(kUtf8Bom, 0) == 0;
    if (byteOrderMark) {
        file.Set(0, file[0].substr(kUtf8Bom.size()));
    }
    const std::string codePage = file.ReadString("General", "CodePage", byteOrderMark ? "UTF-8" : "");
    const std::string converter = ConverterName(codePage);
    if (!codePage.empty() && converter.empty()) {
        ShowMessageBox("Language file " + shownPath + " is written in the code page \"" +
                       FromCodePage(codePage) + "\", which Stakkar cannot read... Default loaded.");
        return false;
    }
    const auto decode = [&converter](const std::string& bytes) -> std::optional<QString> {
        if (converter.empty()) {
            return FromCodePage(bytes);
        }
        return DecodeText(bytes, converter);
    };
    // Every text is decoded before the table changes, so a refused file leaves nothing of itself behind.
    tLanguageTable read;
    bool readable = true;
    const auto take = [&](std::string_view section, std::string_view key, QString& target) {
        const std::string bytes = file.ReadString(section, key, kAbsent);
        if (bytes == kAbsent) {
            return;
        }
        const std::optional<QString> text = decode(bytes);
        readable = readable && text.has_value();
        target = text.value_or(QString());
    };
    read.texts = LanguageTable.texts;
    for (int slot = 0; slot < kLanguageSlots; ++slot) {
        take("Language", LanguageKey(slot), read.texts[static_cast<size_t>(slot)]);
    }
    read.Help = LanguageTable.Help;
    take("General", "Help", read.Help);
    take("General", "Author", read.Author);
    take("General", "Version", read.Version);
    take("General", "EMail", read.EMail);
    take("General", "Comment", read.Comment);
    if (!readable) {
        ShowMessageBox("Language file " + shownPath + " holds bytes that are not text in the code page \"" +
                       FromCodePage(codePage) + "\"... Default loaded.");
        return false;
    }
    const int32_t build = file.ReadInteger("General", "Build", 0);
    if (build < kOldestBuild) {
        ShowMessageBox("Language file out of date... Some problem may occur");
    } else if (build > kProgramBuild) {
        ShowMessageBox("Language file designed for newer version of Stakkar... Some problem may occur");
    }
    file.Clear();
    LanguageTable.texts = std::move(read.texts);
    LanguageTable.Help = std::move(read.Help);
    LanguageTable.Author = std::move(read.Author);
    LanguageTable.Version = std::move(read.Version);
    LanguageTable.EMail = std::move(read.EMail);
    LanguageTable.Comment = std::move(read.Comment);
    ApplyLanguage();
    return true;
}

std::string ResolveLanguage(std::string& name) {
    if (name == kDefaultLanguage) {
        return {};
    }
    std::string path = ResolveChoice(
        LanguageList, name, [](std::string_view n) { return FindOnPath(SearchPath("lang"), n, ".lng"); });
    if (!path.empty()) {
        return path;
    }
    ShowMessageBox("Language file not found... Default loaded.");
    name = kDefaultLanguage;
    return {};
}

void SelectLanguage(const std::string& requested) {
    std::string name = requested;
    const std::string path = ResolveLanguage(name);
    LanguageList.SelectName(name);
    if (path.empty() && requested != kDefaultLanguage) {
        cbLanguageChange();
        // When "(Default)" was already the name applied last the handler did nothing, and the hint still
        // describes the entry that has just left the list.
        LanguageList.SetHint(LanguageHint(LanguageList.Text()));
    } else if (name != kDefaultLanguage) {
        if (!LoadLanguageFile(path)) {
            // The built-in texts stay, and the list says so, so that it is what the player's options keep.
            LanguageList.SelectName(kDefaultLanguage);
            ApplyLanguage();
        }
    } else {
        LoadDefaultLanguage();
    }
}

void cbLanguageChange() {
    LanguageList.Change(LoadDefaultLanguage, SelectLanguage);
}

QString LanguageHint(std::string_view name) {
    if (name == kDefaultLanguage) {
        return "Default language";
    }
    return LabelForm(LangText("s2303")) + LanguageTable.Author + "\r\n" + LabelForm(LangText("s2304")) +
           LanguageTable.Version + "\r\n" + LabelForm(LangText("s2305")) + LanguageTable.EMail + "\r\n" +
           LabelForm(LangText("s2306")) + LanguageTable.Comment;
}

tSubscription AddLanguageTarget(tLanguageTarget target) {
    return Targets().Add(std::move(target));
}

void ApplyLanguage() {
    Targets().Run();
    LanguageList.SetHint(LanguageHint(LanguageList.Text()));
}
