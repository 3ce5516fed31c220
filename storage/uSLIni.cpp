// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/uSLIni.h"

#include "platform/uCodePage.h"

#include <string>

namespace {

std::string Header(std::string_view section) {
    std::string h;
    h.reserve(section.size() + 2);
    h += '[';
    h += section;
    h += ']';
    return h;
}

bool IsKeyLine(std::string_view line, std::string_view key) {
    return line.size() > key.size() && line.compare(0, key.size(), key) == 0 && line[key.size()] == '=';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace

bool IsSectionHeader(std::string_view line) {
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

std::optional<int32_t> ParseInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size()) {
        return std::nullopt;
    }
    const int64_t limit = negative ? int64_t{INT32_MAX} + 1 : int64_t{INT32_MAX};
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit =
            base == 16 ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > limit) {
            return std::nullopt;
        }
    }
    return static_cast<int32_t>(negative ? -value : value);
}

int tStringListINI::FindSection(std::string_view section) const {
    return IndexOf(Header(section));
}

void tStringListINI::ReadSections(tStringList& target) const {
    target.Clear();
    for (const auto& line : Lines()) {
        if (!IsSectionHeader(line)) {
            continue;
        }
        const std::string_view name = std::string_view(line).substr(1, line.size() - 2);
        if (target.IndexOf(name) < 0) {
            target.Add(std::string(name));
        }
    }
}

std::string tStringListINI::ReadString(std::string_view section, std::string_view key,
                                       std::string_view def) const {
    const int header = FindSection(section);
    if (header < 0) {
        return std::string(def);
    }
    for (int i = header + 1; i < Count() && !IsSectionHeader((*this)[i]); ++i) {
        if (IsKeyLine((*this)[i], key)) {
            return (*this)[i].substr(key.size() + 1);
        }
    }
    return std::string(def);
}

int32_t tStringListINI::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
    std::string value = ReadString(section, key, "");
    if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
        value.replace(0, 2, "$");
    }
    return ParseInteger(value).value_or(def);
}

bool tStringListINI::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void tStringListINI::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    std::string line;
    line.reserve(key.size() + 1 + value.size());
    line += key;
    line += '=';
    line += value;
    const int header = FindSection(section);
    if (header < 0) {
        Add(Header(section));
        Add(std::move(line));
        return;
    }
    int i = header + 1;
    for (; i < Count() && !IsSectionHeader((*this)[i]); ++i) {
        if (IsKeyLine((*this)[i], key)) {
            Set(i, std::move(line));
            return;
        }
    }
    Insert(i, std::move(line));
}

void tStringListINI::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void tStringListINI::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void tStringListINI::DeleteKey(std::string_view section, std::string_view key) {
    const int header = FindSection(section);
    if (header < 0) {
        return;
    }
    int i = header + 1;
    while (i < Count() && !IsSectionHeader((*this)[i])) {
        if (IsKeyLine((*this)[i], key)) {
            Delete(i);
        } else {
            ++i;
        }
    }
}

void tStringListINI::ReadSection(std::string_view section, tStringList& target) const {
    const int header = FindSection(section);
    if (header < 0) {
        return;
    }
    target.Add(Header(section));
    for (int i = header + 1; i < Count() && !IsSectionHeader((*this)[i]); ++i) {
        target.Add((*this)[i]);
    }
}

void tStringListINI::MoveSectionToEnd(std::string_view section) {
    const std::string header = Header(section);
    std::vector<std::string> kept;
    std::vector<std::string> moved;
    bool inside = false;
    for (const std::string& line : Lines()) {
        if (IsSectionHeader(line)) {
            inside = SameTextNoCase(line, header);
        }
        (inside ? moved : kept).push_back(line);
    }
    if (moved.empty()) {
        return;
    }
    Clear();
    for (std::string& line : kept) {
        Add(std::move(line));
    }
    for (std::string& line : moved) {
        Add(std::move(line));
    }
}

void tStringListINI::RenameSection(std::string_view oldName, std::string_view newName) {
    const std::string oldHeader = Header(oldName);
    const std::string newHeader = Header(newName);
    for (int i = 0; i < Count(); ++i) {
        if (SameTextNoCase((*this)[i], oldHeader)) {
            Set(i, newHeader);
        }
    }
}
