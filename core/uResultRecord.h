// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A game's result and the one table of its fields. Every form a result takes (a key group of hscore.dat and
// its checksum, the upload string and its digest, the score server's JSON and database columns) walks this
// table, so no form can add, drop or reorder a field on its own.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// What a game is stored with beyond the player's name, the level and the score, as the statistics write it.
struct tResultTexts {
    std::string StartTime;
    std::string PlayTime;
    std::string StartLevel;
    std::string BrokenLines;
    std::string Figures;
    std::string Cleared;
};

// One result: the player's name, the level reached, the score and the texts.
struct tResultRecord : tResultTexts {
    std::string Name;
    int32_t Level = 0;
    int32_t Score = 0;
};

// The fields in the order every form lists them.
enum class tResultField {
    Name,
    Level,
    Score,
    StartTime,
    PlayTime,
    StartLevel,
    BrokenLines,
    Figures,
    Cleared
};
inline constexpr size_t kResultFieldCount = 9;

// What a field's text holds; outside the game this decides its type.
enum class tResultForm {
    // Bytes of the game's code page, any of them: the name.
    CodePageText,
    // A whole number, kept as a number in the record.
    Number,
    // A whole number, kept as the text the statistics wrote.
    NumberText,
    // Any other text the statistics write, ASCII only.
    Text,
};

struct tResultFieldSpec {
    tResultField Field;
    // The key in hscore.dat, after the number of the key group.
    std::string_view FileKey;
    std::string_view JsonKey;
    std::string_view Column;
    // What a key group of hscore.dat without this key reads as.
    std::string_view DefaultText;
    tResultForm Form;
    // Where a record keeps the value: Text for the texts, Number for the numbers; the other is null.
    std::string tResultRecord::*Text;
    int32_t tResultRecord::*Number;
};

inline constexpr std::array<tResultFieldSpec, kResultFieldCount> kResultFields{{
    {tResultField::Name, "Name", "name", "name", "Unknown", tResultForm::CodePageText, &tResultRecord::Name,
     nullptr},
    {tResultField::Level, "Level", "level", "level", "0", tResultForm::Number, nullptr,
     &tResultRecord::Level},
    {tResultField::Score, "Score", "score", "score", "0", tResultForm::Number, nullptr,
     &tResultRecord::Score},
    {tResultField::StartTime, "StartTime", "start_time", "start_time", "00.00.00 00:00:00", tResultForm::Text,
     &tResultRecord::StartTime, nullptr},
    {tResultField::PlayTime, "PlayTime", "play_time", "play_time", "0:00", tResultForm::Text,
     &tResultRecord::PlayTime, nullptr},
    {tResultField::StartLevel, "StartLevel", "start_level", "start_level", "1", tResultForm::NumberText,
     &tResultRecord::StartLevel, nullptr},
    {tResultField::BrokenLines, "BrokenLines", "broken_lines", "broken_lines", "0", tResultForm::NumberText,
     &tResultRecord::BrokenLines, nullptr},
    {tResultField::Figures, "Figures", "figures", "figures", "0 [0,0/m]", tResultForm::Text,
     &tResultRecord::Figures, nullptr},
    {tResultField::Cleared, "Cleared", "cleared", "cleared", "0 [0,0/m]", tResultForm::Text,
     &tResultRecord::Cleared, nullptr},
}};

// Every value of a result as text, numbers in decimal, in the table's order: what a key group of hscore.dat
// or an upload holds before anything is made of it.
struct tResultValues {
    std::array<std::string, kResultFieldCount> Texts;

    std::string& operator[](tResultField field) { return Texts[static_cast<size_t>(field)]; }
    const std::string& operator[](tResultField field) const { return Texts[static_cast<size_t>(field)]; }
};

// Reads a number field's text; each reader of results has its own rule of what a number is.
using tReadNumber = int32_t (*)(std::string_view text);

tResultValues ValuesOf(const tResultRecord& record);
tResultRecord RecordOf(const tResultValues& values, tReadNumber readNumber);
// The table's default texts: an empty key group of hscore.dat.
tResultValues DefaultValues();
// The values in order with separator between them; the checksum and the digest join them with none.
std::string JoinValues(const tResultValues& values, std::string_view separator);
