// SPDX-License-Identifier: GPL-3.0-or-later
#include "look/uLang.h"

#include "look/uFolderScan.h"
#include "platform/uBaseDir.h"
#include "platform/uBuild.h"
#include "platform/uMessage.h"
#include "platform/uResource.h"
#include "platform/uTargets.h"
#include "storage/uSLIni.h"

tLanguageTable LanguageTable;
tChoiceList LanguageList;

namespace {

constexpr int kOldestBuild = 55;

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

const std::string& LangText(std::string_view key) {
    static const std::string empty;
    const int slot = LanguageSlot(key);
    return slot < 0 ? empty : LanguageTable.texts[static_cast<size_t>(slot)];
}

std::string LangFormat(std::string_view key, std::initializer_list<std::string_view> values) {
    const std::string& text = LangText(key);
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t n = i + 1 < text.size() ? static_cast<size_t>(text[i + 1] - '1') : values.size();
        if (text[i] == '%' && n < values.size()) {
            result += values.begin()[n];
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

std::string HeaderForm(std::string_view text) {
    return ":: " + std::string(text) + " ::";
}

std::string LabelForm(std::string_view text) {
    return std::string(text) + " : ";
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
    LanguageTable.Help.clear();
    LanguageTable.Author.clear();
    LanguageTable.Version.clear();
    LanguageTable.EMail.clear();
    LanguageTable.Comment.clear();
    for (const auto& line : LanguageTable.builtIn.Lines()) {
        const int slot = LanguageSlot(std::string_view(line).substr(0, 5));
        if (slot >= 0 && line.size() >= 6) {
            LanguageTable.texts[static_cast<size_t>(slot)] = line.substr(6);
        }
    }
    ApplyLanguage();
}

void LoadLanguageFile(const std::string& path) {
    tStringListINI file;
    file.LoadFromFile(path, kMaxLookFileBytes);
    const int32_t build = file.ReadInteger("General", "Build", 0);
    if (build < kOldestBuild) {
        ShowMessageBox("Language file out of date... Some problem may occur");
    } else if (build > kProgramBuild) {
        ShowMessageBox("Language file designed for newer version of Stakkar... Some problem may occur");
    }
    for (int slot = 0; slot < kLanguageSlots; ++slot) {
        auto& text = LanguageTable.texts[static_cast<size_t>(slot)];
        text = file.ReadString("Language", LanguageKey(slot), text);
    }
    LanguageTable.Help = file.ReadString("General", "Help", LanguageTable.Help);
    LanguageTable.Author = file.ReadString("General", "Author", "");
    LanguageTable.Version = file.ReadString("General", "Version", "");
    LanguageTable.EMail = file.ReadString("General", "EMail", "");
    LanguageTable.Comment = file.ReadString("General", "Comment", "");
    file.Clear();
    ApplyLanguage();
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
        LoadLanguageFile(path);
    } else {
        LoadDefaultLanguage();
    }
}

void cbLanguageChange() {
    LanguageList.Change(LoadDefaultLanguage, SelectLanguage);
}

std::string LanguageHint(std::string_view name) {
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
