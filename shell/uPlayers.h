#pragma once
// Players and their options: the log-in, the change of player and the option buttons of the main window
// (TMainForm's members defined in uPlayers.cpp), and the rule a typed name follows.

#include <QString>

class QFont;

// A name as it may be typed: only what the code page holds, and nothing that would break a section line of
// users.dat (line breaks, NUL, square brackets).
bool AcceptableNameText(const QString& text);
// The longest a name may grow once it is this text: one character past the limit width, measured in the
// label's font; -1 leaves the limit as it was.
int NameLengthLimit(const QString& text, const QFont& font, int limitWidth);
// The highest start level of a difficulty 0..3: 25, 20, 15, 10.
int StartLevelLimit(int difficulty);
