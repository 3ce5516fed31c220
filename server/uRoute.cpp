// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uRoute.h"

std::optional<QByteArray> MatchPattern(std::string_view pattern, const QByteArray& path, bool hasQuery) {
    if (pattern.ends_with('?')) {
        if (!hasQuery) {
            return std::nullopt;
        }
        pattern.remove_suffix(1);
    }
    const size_t star = pattern.find('*');
    const QByteArray head(pattern.data(), static_cast<qsizetype>(pattern.substr(0, star).size()));
    if (star == std::string_view::npos) {
        return path == head ? std::optional<QByteArray>(QByteArray()) : std::nullopt;
    }
    const std::string_view tailText = pattern.substr(star + 1);
    const QByteArray tail(tailText.data(), static_cast<qsizetype>(tailText.size()));
    // The "*" lies between the two, which may not overlap.
    if (path.size() < head.size() + tail.size() || !path.startsWith(head) || !path.endsWith(tail)) {
        return std::nullopt;
    }
    return path.mid(head.size(), path.size() - head.size() - tail.size());
}
