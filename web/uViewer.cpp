// SPDX-License-Identifier: GPL-3.0-or-later
// The calls the result page's script makes into the game's own model, built to WebAssembly: a replay's
// unpacked payload in, the game at any moment of its time of play out. The page unpacks the replay file
// itself (the browser inflates zlib), so that no compression library is built in here.

#include "core/uCellLook.h"
#include "core/uGameModel.h"
#include "core/uReplayCursor.h"
#include "core/uReplayPayload.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#define VIEWER_CALL extern "C" __attribute__((used, visibility("default")))

namespace {

// One game at a time, as the page shows one.
struct tViewer {
    std::string Input;
    tGameRecord Record;
    tGameModel Game;
    std::unique_ptr<tReplayCursor> Cursor;
    int64_t EndMs = 0;
    std::string Problem;
    std::array<uint8_t, kWellColumns * kWellRows> Cells{};
    std::array<uint8_t, 16> Next{};
};

tViewer& Viewer() {
    static tViewer viewer;
    return viewer;
}

void Restart(tViewer& v) {
    v.Game = tGameModel{};
    v.Cursor = std::make_unique<tReplayCursor>(v.Game, v.Record);
    v.Cursor->Start();
}

} // namespace

// Room for a payload of size bytes, which the page writes before it calls viewer_load.
VIEWER_CALL uint8_t* viewer_input(uint32_t size) {
    tViewer& v = Viewer();
    v.Input.assign(size, '\0');
    return reinterpret_cast<uint8_t*>(v.Input.data());
}

// 1 when the payload is a game, which then stands at its start; 0 with viewer_problem saying why.
VIEWER_CALL int viewer_load(int timed) {
    tViewer& v = Viewer();
    tReplayRead read = ReadReplayPayload(v.Input, timed != 0);
    v.Input.clear();
    if (!read.Record) {
        v.Problem = read.Problem;
        v.Cursor.reset();
        return 0;
    }
    v.Problem.clear();
    v.Record = std::move(*read.Record);
    Restart(v);
    v.Cursor->RunToEnd();
    v.EndMs = v.Cursor->Time();
    Restart(v);
    return 1;
}

VIEWER_CALL const char* viewer_problem() {
    return Viewer().Problem.c_str();
}

// The time of play of the game's last step.
VIEWER_CALL double viewer_end() {
    return static_cast<double>(Viewer().EndMs);
}

// The game as it stood timeMs into its play: forward from where it stands, or from its start for a moment
// before.
VIEWER_CALL void viewer_seek(double timeMs) {
    tViewer& v = Viewer();
    if (!v.Cursor) {
        return;
    }
    const auto to = static_cast<int64_t>(timeMs);
    if (to < v.Cursor->Time()) {
        Restart(v);
    }
    v.Cursor->AdvanceTo(to);
}

// When the game next changes, in its time of play: the page sleeps until then.
VIEWER_CALL double viewer_due() {
    const tViewer& v = Viewer();
    return v.Cursor ? static_cast<double>(v.Cursor->NextTime()) : 0.0;
}

// The well's cells, row by row from the top, each a tCellLook, the landing mark shown.
VIEWER_CALL const uint8_t* viewer_cells() {
    tViewer& v = Viewer();
    for (int row = 1; row <= kWellRows; ++row) {
        for (int column = 1; column <= kWellColumns; ++column) {
            v.Cells[static_cast<size_t>((row - 1) * kWellColumns + column - 1)] =
                static_cast<uint8_t>(CellLook(v.Game, true, column, row));
        }
    }
    return v.Cells.data();
}

// The next figure's 4 x 4 box, row by row, 1 for a block.
VIEWER_CALL const uint8_t* viewer_next() {
    tViewer& v = Viewer();
    for (int row = 1; row <= 4; ++row) {
        for (int column = 1; column <= 4; ++column) {
            v.Next[static_cast<size_t>((row - 1) * 4 + column - 1)] =
                IsBlock(v.Game.Next(), column, row) ? 1 : 0;
        }
    }
    return v.Next.data();
}

// 0 score, 1 level, 2 figures, 3 rows cleared.
VIEWER_CALL double viewer_counter(int which) {
    const tGameCounters& c = Viewer().Game.Counters();
    switch (which) {
    case 0:
        return c.Score;
    case 1:
        return c.Level;
    case 2:
        return c.Figures;
    default:
        return c.Cleared;
    }
}

// The tWellMessage the well shows over itself, 0 for none.
VIEWER_CALL int viewer_message() {
    const tGameModel& game = Viewer().Game;
    return game.MessageVisible() ? static_cast<int>(game.Message()) : 0;
}
