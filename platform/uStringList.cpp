// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uStringList.h"

#include "platform/uCodePage.h"

#include <fstream>

void tStringList::Insert(int i, std::string line) {
    lines_.insert(lines_.begin() + i, std::move(line));
}

void tStringList::Delete(int i) {
    lines_.erase(lines_.begin() + i);
}

int tStringList::IndexOf(std::string_view text) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (SameTextNoCase(lines_[i], text)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string tStringList::Text() const {
    size_t size = 0;
    for (const auto& line : lines_) {
        size += line.size() + 2;
    }
    std::string text;
    text.reserve(size);
    for (const auto& line : lines_) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void tStringList::SetText(std::string_view text) {
    lines_.clear();
    const size_t nul = text.find('\0');
    if (nul != std::string_view::npos) {
        text = text.substr(0, nul);
    }
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines_.emplace_back(text.substr(start));
            break;
        }
        lines_.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
}

bool tStringList::LoadFromFile(const std::string& path, size_t maxBytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        lines_.clear();
        return false;
    }
    // istream::read turns a failing read (a folder opened as a file, an I/O error) into badbit; reading
    // through stream iterators would throw instead.
    std::string bytes;
    char chunk[65536];
    while (bytes.size() <= maxBytes && (in.read(chunk, sizeof chunk) || in.gcount() > 0)) {
        bytes.append(chunk, static_cast<size_t>(in.gcount()));
    }
    if (in.bad() || bytes.size() > maxBytes) {
        lines_.clear();
        return false;
    }
    SetText(bytes);
    return true;
}
