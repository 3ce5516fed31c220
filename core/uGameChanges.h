// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What one command of a game changed: the cells to draw again, which counters, the preview, the arrow, the
// message, the timer, the sounds to play and how the game ended. A screen reads the game's state for what is
// named here and leaves the rest alone.

#include "core/uCellSet.h"

#include <array>
#include <cstdint>

// The counters of the statistics, as bits of tChanges::Counters.
enum tCounter : uint16_t {
    ctScore = 1 << 0,
    ctLevel = 1 << 1,
    ctFigures = 1 << 2,
    ctKeys = 1 << 3,
    ctCleared = 1 << 4,
    ctClears = 1 << 5,
    ctPlayTime = 1 << 6,
    ctStartTime = 1 << 7,
    ctAll = 0xFF,
};

enum class tGameSound : uint8_t { Drop, Lines };
// What the game's timer is to do: nothing new, start a fresh period, stop, go on with the period a pause
// stopped, or stop for a drop's pause (kDropPauseMs) and then have FinishDrop run.
enum class tTimerChange : uint8_t { Keep, Start, Stop, Resume, DropPause };

struct tChanges {
    tCellSet Cells;
    uint16_t Counters = 0;
    // Points were added (also none, when a game ends): the running game's place in the table follows.
    bool Scored = false;
    bool Preview = false;
    bool Arrow = false;
    // The message's text or whether it shows.
    bool Message = false;
    bool Interval = false;
    tTimerChange Timer = tTimerChange::Keep;
    // A game ended by the rules (its result is to be kept) or given up.
    bool GameOver = false;
    bool Interrupted = false;
    // A dropped figure lies fixed and its rows are still there: the screen shows it before FinishDrop.
    bool DropShown = false;
    uint8_t SoundCount = 0;
    std::array<tGameSound, 4> Sounds{};

    void Play(tGameSound sound) {
        if (SoundCount < Sounds.size()) {
            Sounds[SoundCount++] = sound;
        }
    }
    // The changes of a later command added to these.
    tChanges& operator|=(const tChanges& later) {
        Cells |= later.Cells;
        Counters |= later.Counters;
        Scored = Scored || later.Scored;
        Preview = Preview || later.Preview;
        Arrow = Arrow || later.Arrow;
        Message = Message || later.Message;
        Interval = Interval || later.Interval;
        if (later.Timer != tTimerChange::Keep) {
            Timer = later.Timer;
        }
        GameOver = GameOver || later.GameOver;
        Interrupted = Interrupted || later.Interrupted;
        DropShown = DropShown || later.DropShown;
        for (uint8_t i = 0; i < later.SoundCount; ++i) {
            Play(later.Sounds[i]);
        }
        return *this;
    }
};
