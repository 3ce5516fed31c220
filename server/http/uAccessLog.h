// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One line for each answer, for the journal, which adds the time: the client, the request, the status, the
// bytes of the body and the milliseconds the answer took. The address is cut to a bounded length, and a
// replay's base64 is given only as its length: it can be most of the request and says nothing to a reader.

#include <cstddef>
#include <string>
#include <string_view>

// The longest address a line holds; a longer one ends in "...".
inline constexpr size_t kLoggedTargetBytes = 256;

std::string AccessLine(std::string_view client, std::string_view method, std::string_view target,
                       unsigned status, size_t bytes, double milliseconds);
