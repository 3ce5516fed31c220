// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The numbers of the game, stated once: game types and difficulties with their names, speeds and ranges, the
// points, and the seven actions with their keys. The game, its files, the score server, the benchmarks and
// the tests all read them from here.

#include "core/uFigureSet.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

struct tGameTypeRule {
    // The name the option list shows, the high score section and the server use.
    std::string_view Name;
    // How many entries of the figure table are drawn from.
    int FigureCount;
};
inline constexpr std::array<tGameTypeRule, 2> kGameTypes{{
    {"Standart", kStandardFigures},
    {"Extended", kFigureKinds},
}};

struct tDifficultyRule {
    std::string_view Name;
    // The timer's interval at level 1, in milliseconds.
    int BaseInterval;
    // Every this many figures the level rises by one.
    int FiguresPerLevel;
    // The highest level a game may start at: its interval is still the level step.
    int MaxStartLevel;
};
inline constexpr std::array<tDifficultyRule, 4> kDifficulties{{
    {"Easy", 500, 50, 25},
    {"Normal", 400, 40, 20},
    {"Hard", 300, 30, 15},
    {"Impossible", 200, 20, 10},
}};

// Where a new figure's box enters: its top left cell at column 4, two rows above the well.
inline constexpr int kSpawnColumn = 4;
inline constexpr int kSpawnRow = -1;

inline constexpr int kMinStartLevel = 1;
inline constexpr int kMaxBrokenLines = 20;
// Each level runs this many milliseconds faster than the one before it...
inline constexpr int kLevelIntervalStep = 20;
// ...down to this: past the last level with its own speed the game runs as fast as the timer goes.
inline constexpr int kFastestInterval = 1;

// Points: every row a figure moves down, by the timer or a key; the extra of a row moved down by MoveDown and
// of a row slid by QMoveDown or Drop; the bonus of a Drop; and the step of the bonus of each row one landing
// removes (100, then 200 more, ...).
inline constexpr int kRowPoints = 1;
inline constexpr int kMoveDownExtraPoints = 1;
inline constexpr int kSlideExtraPoints = 2;
inline constexpr int kDropPoints = 10;
inline constexpr int kLineBonusStep = 100;

// Between fixing a dropped figure and removing its rows, so that the player sees where it landed. Nothing
// else happens meanwhile, so drops come at most this often.
inline constexpr int kDropPauseMs = 10;

// The game's own repeat of a held key or controller button, each player's option: the delay before the first
// repeat, in steps of kRepeatDelayStepMs, and the repeats a second after it. The defaults play as a desktop's
// usual repeat does (half a second, then 30 a second). The fastest rate is the fastest the desktops offer
// (KDE Plasma's and GNOME's keyboard settings end there).
inline constexpr int kMinRepeatDelayMs = 100;
inline constexpr int kMaxRepeatDelayMs = 1000;
inline constexpr int kRepeatDelayStepMs = 10;
inline constexpr int kDefaultRepeatDelayMs = 500;
inline constexpr int kMinRepeatRate = 5;
inline constexpr int kMaxRepeatRate = 100;
inline constexpr int kDefaultRepeatRate = 30;

// How fast a real player's presses can come; the game takes none faster, and a replay that holds faster ones
// was not played on it. A held key repeats at most at the fastest rate the repeat option allows, so the same
// key, or keys bound to the same actions, is pressed again no sooner than this.
inline constexpr int kFastestRepeatMs = 1000 / kMaxRepeatRate;
// A tap is a press of other keys than the press before: a held key repeats the same ones. A person taps keys
// at most about 15 times a second with one finger; 20 leaves room for two hands taking turns. With the one
// key that repeats, no more than 1000 / kFastestRepeatMs + kMostTapsPerSecond presses come in any second.
inline constexpr int kMostTapsPerSecond = 20;
// How far the game's timer may run behind its time of play and its ticks still come before a later key: the
// moments a busy desktop keeps the game from its timer, such as a drop's pause that ends late. The timer
// leaves longer hangs out of the time of play, so a key that comes later than this after its next tick was
// due was not pressed in a running game.
inline constexpr int kTimerLatenessMs = 250;

// The seven actions in the order a key runs them.
enum class tAction : uint8_t { RotateRight, RotateLeft, MoveLeft, MoveRight, MoveDown, QMoveDown, Drop };
inline constexpr int kActionCount = 7;

// The actions one key press runs, one bit per tAction.
using tActionSet = uint8_t;
inline constexpr tActionSet ActionBit(tAction action) {
    return static_cast<tActionSet>(1u << static_cast<unsigned>(action));
}

struct tActionRule {
    // The key of the action in users.dat.
    std::string_view Name;
    // The virtual-key code a well starts with until the player's keys are handed to it.
    uint16_t WellKey;
    // The name of the key a new player's options bind it to.
    std::string_view DefaultKeyName;
    // The key of the action's game controller button in users.dat, which files of older versions lack.
    std::string_view ButtonName;
    // The button a new player's options bind it to, by SDL's name for it; the left stick's directions count
    // as the pad's ("dpleft", "dpright", "dpup", "dpdown").
    std::string_view DefaultButton;
};
inline constexpr std::array<tActionRule, kActionCount> kActions{{
    {"RotateRight", 38, "Up", "RotateRightButton", "a"},
    {"RotateLeft", 16, "End", "RotateLeftButton", "b"},
    {"MoveLeft", 37, "Left", "MoveLeftButton", "dpleft"},
    {"MoveRight", 39, "Right", "MoveRightButton", "dpright"},
    {"MoveDown", 40, "Down", "MoveDownButton", "dpdown"},
    {"QMoveDown", 32, "Space", "QMoveDownButton", "y"},
    {"Drop", 17, "Ctrl", "DropButton", "x"},
}};

inline constexpr const tActionRule& ActionRule(tAction action) {
    return kActions[static_cast<size_t>(action)];
}

// The place of a name in its list: 0 for "Standart" and for "Easy"; nothing for a name the game does not
// offer.
std::optional<int> GameTypeIndex(std::string_view name);
std::optional<int> DifficultyIndex(std::string_view name);
// The timer's interval at a level of a difficulty (0..3), never below kFastestInterval.
int IntervalAt(int difficulty, int level);
