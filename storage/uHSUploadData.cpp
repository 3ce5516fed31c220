// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/uHSUploadData.h"

namespace {

constexpr char kSeparator = '|';

// The one text that may hold the separator; the split relies on it coming first among the result's values.
static_assert(kResultFields.front().Field == tResultField::Name);

// Takes the text up to the first separator off the front.
bool TakeFront(std::string_view& data, std::string& field) {
    const size_t bar = data.find(kSeparator);
    if (bar == std::string_view::npos) {
        return false;
    }
    field = data.substr(0, bar);
    data.remove_prefix(bar + 1);
    return true;
}

// Takes the text after the last separator off the back.
bool TakeBack(std::string_view& data, std::string& field) {
    const size_t bar = data.rfind(kSeparator);
    if (bar == std::string_view::npos) {
        return false;
    }
    field = data.substr(bar + 1);
    data.remove_suffix(data.size() - bar);
    return true;
}

} // namespace

std::optional<tHSUploadFields> SplitUploadData(std::string_view data) {
    tHSUploadFields fields;
    if (!TakeFront(data, fields.Build) || !TakeFront(data, fields.GameType) ||
        !TakeFront(data, fields.Difficulty) || !TakeBack(data, fields.Digest)) {
        return std::nullopt;
    }
    for (size_t i = kResultFields.size(); i-- > 1;) {
        if (!TakeBack(data, fields.Values[kResultFields[i].Field])) {
            return std::nullopt;
        }
    }
    fields.Values[tResultField::Name] = data;
    return fields;
}
