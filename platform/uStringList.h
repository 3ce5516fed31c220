// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An ordered list of 8-bit text lines: never sorted, duplicates allowed, letter case ignored when searching.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class tStringList {
public:
    int Count() const { return static_cast<int>(lines_.size()); }
    const std::string& operator[](int i) const { return lines_[static_cast<size_t>(i)]; }
    void Set(int i, std::string line) { lines_[static_cast<size_t>(i)] = std::move(line); }
    void Add(std::string line) { lines_.push_back(std::move(line)); }
    // i equal to Count() appends.
    void Insert(int i, std::string line);
    void Delete(int i);
    void Clear() { lines_.clear(); }
    // First line equal to text, letter case ignored over the code page; -1 when none.
    int IndexOf(std::string_view text) const;

    // Every line followed by CR LF, the last one too.
    std::string Text() const;
    // Splits at CR LF, lone CR or lone LF; a NUL ends the text.
    void SetText(std::string_view text);
    // Plain text file, split as SetText; false (and an empty list) when the file cannot be read or holds
    // more than maxBytes, of which no more than maxBytes + 1 are read.
    bool LoadFromFile(const std::string& path, size_t maxBytes = SIZE_MAX);

    const std::vector<std::string>& Lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
};
