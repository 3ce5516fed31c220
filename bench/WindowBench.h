// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plays in the real main window, on the display the environment names (offscreen without one): scripted
// games from the top start level (Impossible, level 10) for the given seconds, first held at that level,
// then going on to the fastest interval, each with the process's processor time and the ticks and the
// paints of the well per second; then the time from a key press to the moment the screen shows the well as
// the key left it, at the top start level and at the slowest one.
int RunWindowBench(double seconds);
