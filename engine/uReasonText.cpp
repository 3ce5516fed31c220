// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/uReasonText.h"

#include "look/uLang.h"
#include "storage/uTextTooLarge.h"

#include <array>

namespace {

// The language text of each reason, in the order of tReplayProblem.
constexpr std::array<const char*, 15> kReplayReasons = {
    "",      "s0200", "s0201", "s0202", "s0203", "s0204", "s0205", "s0206",
    "s0207", "s0208", "s0209", "s0210", "s0300", "s0301", "s0302",
};
static_assert(kReplayReasons.size() == static_cast<size_t>(tReplayProblem::MoreThanItsGame) + 1);

QString Value(const std::vector<std::string>& values, size_t i) {
    return i < values.size() ? QString::fromStdString(values[i]) : QString();
}

} // namespace

QString ReplayReason(const tReplayRead& read) {
    if (read.Kind == tReplayProblem::None) {
        return {};
    }
    const std::vector<std::string>& v = read.Values;
    return LangFormat(kReplayReasons[static_cast<size_t>(read.Kind)],
                      {Value(v, 0), Value(v, 1), Value(v, 2)});
}

QString SaveReason(const tSaveError& error) {
    if (const auto* large = dynamic_cast<const tTextTooLarge*>(&error)) {
        return LangFormat("s0303", {QString::number(large->LimitMiB())});
    }
    return QString::fromLocal8Bit(error.Reason());
}
