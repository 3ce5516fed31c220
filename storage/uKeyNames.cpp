// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/uKeyNames.h"

#include "platform/uResource.h"
#include "storage/uSLIni.h"

void tKeyNames::Load(std::string_view names, std::string_view codes) {
    names_.SetText(names);
    codes_.SetText(codes);
    // An entry without its partner is no entry.
    while (codes_.Count() > names_.Count())
        codes_.Delete(codes_.Count() - 1);
    while (names_.Count() > codes_.Count())
        names_.Delete(names_.Count() - 1);
}

void tKeyNames::LoadResource() {
    Load(LoadResourceData(":/TKeys").toStdString(), LoadResourceData(":/TKeysCode").toStdString());
}

void tKeyNames::Free() {
    names_.Clear();
    codes_.Clear();
}

uint16_t tKeyNames::Code(int index) const {
    const auto value = ParseInteger(codes_[index]);
    return value && *value > 0 && *value < 0x10000 ? static_cast<uint16_t>(*value) : 0;
}

int tKeyNames::IndexOfName(std::string_view name) const {
    return names_.IndexOf(name);
}

int tKeyNames::IndexOfCode(int code) const {
    const std::string text = std::to_string(code);
    for (int i = 0; i < codes_.Count(); ++i)
        if (codes_[i] == text)
            return i;
    return -1;
}

uint16_t tKeyNames::CodeOfName(std::string_view name) const {
    const int index = IndexOfName(name);
    return index < 0 ? 0 : Code(index);
}

std::string ReadKeyName(const tKeyNames& table, const std::string& stored) {
    return table.IndexOfName(stored) < 0 ? std::string(kNoKey) : stored;
}

bool KeysValid(const std::array<std::string, 7>& names) {
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == kNoKey)
            return false;
        for (size_t j = i + 1; j < names.size(); ++j)
            if (names[i] == names[j])
                return false;
    }
    return true;
}
