// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A save refused by the program itself: the text is larger than a read would take back. The message is in
// English; the game tells the player the limit in the player's language.

#include "platform/uSaveFile.h"

#include <cstddef>
#include <string>

class tTextTooLarge : public tSaveError {
public:
    tTextTooLarge(const std::string& path, size_t limitMiB)
        : tSaveError(path, "the text is larger than " + std::to_string(limitMiB) +
                               " MiB and could not be read back"),
          limitMiB_(limitMiB) {}
    size_t LimitMiB() const { return limitMiB_; }

private:
    size_t limitMiB_;
};
