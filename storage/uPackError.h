// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>

// A file that is not a readable zlib stream, or whose text is implausibly large. The message is always
// "Error".
class tPackError : public std::runtime_error {
public:
    tPackError() : std::runtime_error("Error") {}
};
