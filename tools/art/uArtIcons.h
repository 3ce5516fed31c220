// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The icons of the buttons and key pictures, each a filled path in a 16 x 16 box.

#include <QPainterPath>

QPainterPath HelpIcon();     // a question mark
QPainterPath InfoIcon();     // an "i" in a ring
QPainterPath PlayerIcon();   // two players, one in front of the other
QPainterPath ExitIcon();     // a door frame with an arrow walking out
QPainterPath DefaultsIcon(); // three sliders set to their middle
QPainterPath RestoreIcon();  // an arrow turning back
QPainterPath SaveIcon();     // a floppy disk
QPainterPath UploadIcon();   // an arrow up out of a tray
QPainterPath WatchIcon();    // a play triangle
QPainterPath EnterIcon();    // an arrow pointing right
QPainterPath TurnIcon(bool clockwise);
QPainterPath ShiftIcon(bool left);
QPainterPath DownIcon(bool twice);
QPainterPath DropIcon(); // an arrow down onto a floor line
QPainterPath GameIcon(); // a small figure of four blocks
QPainterPath GearIcon();
