// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The numbered texts of the window, built in (English) or overlaid from a language file "lang/<name>.lng".
// A language file may be written in a code page of its own ("CodePage=1252" in [General]; without it the
// program's), so the table holds its texts as the window shows them, decoded once as the file is read. Every
// other text stays in the program's code page and meets them only where both are shown.

#include "look/uChoiceList.h"
#include "platform/uStringList.h"
#include "platform/uSubscription.h"

#include <QString>
#include <array>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

inline constexpr int kLanguageSlots = 264;
inline constexpr std::string_view kDefaultLanguage = "(Default)";
// The built-in language's help document, shipped among the languages, so that F1 helps before any is chosen.
inline constexpr const char* kDefaultHelp = "stakkar-en.html";

struct tLanguageTable {
    std::array<QString, kLanguageSlots> texts;
    QString Help;
    QString Author;
    QString Version;
    QString EMail;
    QString Comment;
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
const QString& LangText(std::string_view key);
// The text of a key with "%1", "%2", ... replaced by the values, in whatever order the language puts them.
QString LangFormat(std::string_view key, std::initializer_list<QString> values);
// The texts' display forms.
QString HeaderForm(const QString& text);
QString LabelForm(const QString& text);

void LoadLanguageResource();
void FreeLanguageResource();
// Fills LanguageList from the folder "lang": "(Default)" first, then the files' names; selects the first.
void ScanLanguages();
// Resets every text and the help document to the built-in ones, then applies the table.
void LoadDefaultLanguage();
// Reads a language file over the table (what it leaves out keeps its text), then applies the table. A file
// made for another build is read all the same, after a message. One larger than kMaxLookFileBytes reads as
// empty. A file whose code page the program cannot read, or whose texts are not text in its code page, is
// refused with a message and leaves the table as it was; the result says whether the file was read.
bool LoadLanguageFile(const std::string& path);
// The path of a language's file, empty for "(Default)". A language whose file has gone leaves the list, the
// player is told, and the name becomes "(Default)".
std::string ResolveLanguage(std::string& name);
// Applies a language by name: the built-in one, a file, or the built-in one again when the file is missing.
void SelectLanguage(const std::string& name);
// The change handling of the language list: after the player picked an entry.
void cbLanguageChange();
// "Default language", or the author, version, e-mail and comment lines of the loaded file.
QString LanguageHint(std::string_view name);

// Everything that shows a numbered text registers here; ApplyLanguage runs them in registration order, then
// sets the hint of the language list (the skin list's hint is one of the targets).
using tLanguageTarget = std::function<void()>;
[[nodiscard]] tSubscription AddLanguageTarget(tLanguageTarget target);
void ApplyLanguage();
