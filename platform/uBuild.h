// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's build number: what skin and language files and uploaded results are compared with.

inline constexpr int kProgramBuild = 64;
