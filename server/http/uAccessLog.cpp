// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/http/uAccessLog.h"

#include <algorithm>
#include <cstdio>

namespace {

// The target with each replay= value replaced by its length, and every byte that could break the line or
// the terminal shown as "?".
std::string Shown(std::string_view target) {
    std::string shown;
    size_t at = 0;
    while (at < target.size() && shown.size() <= kLoggedTargetBytes) {
        const bool replay =
            target.substr(at, 7) == "replay=" && (at > 0 && (target[at - 1] == '?' || target[at - 1] == '&'));
        if (replay) {
            const size_t end = std::min(target.find('&', at), target.size());
            shown += "replay=<" + std::to_string(end - at - 7) + " bytes>";
            at = end;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(target[at++]);
        shown += c > 0x20 && c < 0x7f ? static_cast<char>(c) : '?';
    }
    if (at < target.size()) {
        shown.resize(kLoggedTargetBytes);
        shown += "...";
    }
    return shown;
}

} // namespace

std::string AccessLine(std::string_view client, std::string_view method, std::string_view target,
                       unsigned status, size_t bytes, double milliseconds) {
    char figures[64];
    std::snprintf(figures, sizeof figures, " %u %zu %.1fms", status, bytes, milliseconds);
    return std::string(client) + " " + std::string(method.empty() ? "-" : method) + " " +
           (target.empty() ? std::string("-") : Shown(target)) + figures;
}
