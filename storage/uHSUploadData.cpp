// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/uHSUploadData.h"

#include <array>

namespace {

constexpr char kSeparator = '|';
constexpr size_t kFrontFields = 3;
constexpr size_t kBackFields = 9;

} // namespace

std::optional<tHSUploadFields> SplitUploadData(std::string_view data) {
    std::array<std::string_view, kFrontFields> front;
    for (std::string_view& field : front) {
        const size_t bar = data.find(kSeparator);
        if (bar == std::string_view::npos) {
            return std::nullopt;
        }
        field = data.substr(0, bar);
        data.remove_prefix(bar + 1);
    }
    std::array<std::string_view, kBackFields> back;
    for (size_t i = kBackFields; i-- > 0;) {
        const size_t bar = data.rfind(kSeparator);
        if (bar == std::string_view::npos) {
            return std::nullopt;
        }
        back[i] = data.substr(bar + 1);
        data.remove_suffix(data.size() - bar);
    }
    return tHSUploadFields{std::string(front[0]), std::string(front[1]), std::string(front[2]),
                           std::string(data),     std::string(back[0]),  std::string(back[1]),
                           std::string(back[2]),  std::string(back[3]),  std::string(back[4]),
                           std::string(back[5]),  std::string(back[6]),  std::string(back[7]),
                           std::string(back[8])};
}
