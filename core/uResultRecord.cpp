// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uResultRecord.h"

namespace {

// Each field stands at its own place and is reached in exactly one way, the way its form says.
constexpr bool TableInOrder() {
    for (size_t i = 0; i < kResultFields.size(); ++i) {
        const tResultFieldSpec& f = kResultFields[i];
        const bool number = f.Form == tResultForm::Number;
        if (static_cast<size_t>(f.Field) != i || (f.Number != nullptr) != number ||
            (f.Text != nullptr) == number) {
            return false;
        }
    }
    return true;
}
static_assert(TableInOrder());

} // namespace

tResultValues ValuesOf(const tResultRecord& record) {
    tResultValues values;
    for (const tResultFieldSpec& f : kResultFields) {
        values[f.Field] = f.Number != nullptr ? std::to_string(record.*f.Number) : record.*f.Text;
    }
    return values;
}

tResultRecord RecordOf(const tResultValues& values, tReadNumber readNumber) {
    tResultRecord record;
    for (const tResultFieldSpec& f : kResultFields) {
        if (f.Number != nullptr) {
            record.*f.Number = readNumber(values[f.Field]);
        } else {
            record.*f.Text = values[f.Field];
        }
    }
    return record;
}

tResultValues DefaultValues() {
    tResultValues values;
    for (const tResultFieldSpec& f : kResultFields) {
        values[f.Field] = f.DefaultText;
    }
    return values;
}

std::string JoinValues(const tResultValues& values, std::string_view separator) {
    std::string joined;
    for (size_t i = 0; i < values.Texts.size(); ++i) {
        if (i > 0) {
            joined += separator;
        }
        joined += values.Texts[i];
    }
    return joined;
}
