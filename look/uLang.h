#pragma once
// The numbered texts of the window, built in (English) or overlaid from a language file.

#include "platform/uStringList.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

inline constexpr int kLanguageSlots = 264;

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

// Slot of a key "sABCC" (A 0..3, B 0..5, CC 00..10), or -1 for any other key.
int LanguageSlot(std::string_view key);
// The text of a key as it is now; empty for keys outside the table.
const std::string& LangText(std::string_view key);
// The texts' display forms.
std::string HeaderForm(std::string_view text);
std::string LabelForm(std::string_view text);

void LoadLanguageResource();
void FreeLanguageResource();
// Resets every text to the built-in content, then applies the table.
void LoadDefaultLanguage();

// Everything that shows a numbered text registers here; ApplyLanguage runs them in registration order.
using tLanguageTarget = std::function<void()>;
int AddLanguageTarget(tLanguageTarget target);
void RemoveLanguageTarget(int id);
void ApplyLanguage();
