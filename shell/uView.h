// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's views, one on screen at a time. Keys, controllers and the window's own page switching
// all act by the view that shows, so it is a value of its own that they can be handed.

enum class tView { Login, About, Well, Options };
