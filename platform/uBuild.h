// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's build number: what skin and language files and uploaded results are compared with.

inline constexpr int kProgramBuild = 64;
// What the window's title, the about panel and --version of the programs say.
inline constexpr const char* kVersionLine = "Stakkar (1.0.2 build 64 beta 3b)";
