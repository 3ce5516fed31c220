// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The numbered texts of the window, built in (English) or overlaid from a language file "lang/<name>.lng".

#include "look/uChoiceList.h"
#include "platform/uStringList.h"
#include "platform/uSubscription.h"

#include <array>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

inline constexpr int kLanguageSlots = 264;
inline constexpr std::string_view kDefaultLanguage = "(Default)";

struct tLanguageTable {
    std::array<std::string, kLanguageSlots> texts;
    std::string Help;
    std::string Author;
    std::string Version;
    std::string EMail;
    std::string Comment;
    tStringList builtIn;
};

extern tLanguageTable LanguageTable;
// What the language combo box shows: "(Default)" and the language files found at start-up.
extern tChoiceList LanguageList;

// Slot of a key "sABCC" (A 0..3, B 0..5, CC 00..10), or -1 for any other key.
int LanguageSlot(std::string_view key);
// The key of a slot: "s" + A + B + CC with two digits.
std::string LanguageKey(int slot);
// The text of a key as it is now; empty for keys outside the table.
const std::string& LangText(std::string_view key);
// The text of a key with "%1", "%2", ... replaced by the values, in whatever order the language puts them.
std::string LangFormat(std::string_view key, std::initializer_list<std::string_view> values);
// The texts' display forms.
std::string HeaderForm(std::string_view text);
std::string LabelForm(std::string_view text);

void LoadLanguageResource();
void FreeLanguageResource();
// Fills LanguageList from the folder "lang": "(Default)" first, then the files' names; selects the first.
void ScanLanguages();
// Resets every text to the built-in content, then applies the table.
void LoadDefaultLanguage();
// Reads a language file over the table (what it leaves out keeps its text), then applies the table. A file
// made for another build is read all the same, after a message. One larger than kMaxLookFileBytes reads as
// empty.
void LoadLanguageFile(const std::string& path);
// The path of a language's file, empty for "(Default)". A language whose file has gone leaves the list, the
// player is told, and the name becomes "(Default)".
std::string ResolveLanguage(std::string& name);
// Applies a language by name: the built-in one, a file, or the built-in one again when the file is missing.
void SelectLanguage(const std::string& name);
// The change handling of the language list: after the player picked an entry.
void cbLanguageChange();
// "Default language", or the author, version, e-mail and comment lines of the loaded file.
std::string LanguageHint(std::string_view name);

// Everything that shows a numbered text registers here; ApplyLanguage runs them in registration order, then
// sets the hint of the language list (the skin list's hint is one of the targets).
using tLanguageTarget = std::function<void()>;
[[nodiscard]] tSubscription AddLanguageTarget(tLanguageTarget target);
void ApplyLanguage();
