#include "look/uLang.h"

#include "platform/uResource.h"

#include <map>

tLanguageTable LanguageTable;

namespace {

std::map<int, tLanguageTarget>& Targets() {
    static std::map<int, tLanguageTarget> targets;
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

const std::string& LangText(std::string_view key) {
    static const std::string empty;
    const int slot = LanguageSlot(key);
    return slot < 0 ? empty : LanguageTable.texts[static_cast<size_t>(slot)];
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

int AddLanguageTarget(tLanguageTarget target) {
    static int next = 0;
    Targets().emplace(++next, std::move(target));
    return next;
}

void RemoveLanguageTarget(int id) {
    Targets().erase(id);
}

void ApplyLanguage() {
    for (const auto& [id, target] : Targets()) {
        target();
    }
}
