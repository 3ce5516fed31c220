// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Help: the document that the language in use names, opened from the lang folder with the desktop's handler.

#include <QString>
#include <string>

// The absolute path of the help document when name is the name of a regular file directly inside langDir:
// no folder part, no "..", not a link. Empty otherwise, so a language file can open nothing else.
std::string ConfinedHelpPath(const std::string& langDir, const QString& name);

// The Help button and F1: opens the language's help document; does nothing when there is none. Where the
// desktop cannot open it, the player is told where it lies.
void iHelpClick();
