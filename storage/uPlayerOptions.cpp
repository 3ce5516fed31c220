// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/uPlayerOptions.h"

#include <type_traits>

namespace {

// The 28 keys of a player's section in the order they are written, each with the option it holds: reading
// and writing both walk this one list. The controller buttons come after the 19 keys of the versions before
// them, and the repeat after those, so a file keeps the keys it has in their order.
template <typename tOptions, typename tVisit> void VisitKeys(tOptions& options, tVisit&& visit) {
    visit("GameMode", options.GameType);
    visit("Difficult", options.Difficulty);
    visit("StartLevel", options.StartLevel);
    visit("BrokenLines", options.BrokenLines);
    visit("AutoPause", options.AutoPause);
    visit("FullScreen", options.FullScreen);
    visit("Sounds", options.Sounds);
    visit("ShowFix", options.ShowFix);
    visit("Shadow", options.Shadow);
    visit("AutoSave", options.AutoSave);
    for (size_t i = 0; i < kActions.size(); ++i)
        visit(kActions[i].Name, options.Keys[i]);
    visit("Skin", options.Skin);
    visit("Language", options.Language);
    for (size_t i = 0; i < kActions.size(); ++i)
        visit(kActions[i].ButtonName, options.Buttons[i]);
    visit("RepeatDelay", options.RepeatDelay);
    visit("RepeatRate", options.RepeatRate);
}

} // namespace

std::array<std::string, kActionCount> DefaultKeyNames() {
    std::array<std::string, kActionCount> names;
    for (size_t i = 0; i < kActions.size(); ++i)
        names[i] = kActions[i].DefaultKeyName;
    return names;
}

std::array<std::string, kActionCount> DefaultButtonNames() {
    std::array<std::string, kActionCount> names;
    for (size_t i = 0; i < kActions.size(); ++i)
        names[i] = kActions[i].DefaultButton;
    return names;
}

tPlayerOptions ReadPlayerOptions(const tStringListINI& file, std::string_view player) {
    // Every option starts at its default, which is what an absent or unreadable key leaves.
    tPlayerOptions options;
    VisitKeys(options, [&](std::string_view key, auto& value) {
        using tValue = std::remove_reference_t<decltype(value)>;
        if constexpr (std::is_same_v<tValue, bool>)
            value = file.ReadBool(player, key, value);
        else if constexpr (std::is_same_v<tValue, int>)
            value = file.ReadInteger(player, key, value);
        else
            value = file.ReadString(player, key, value);
    });
    return options;
}

void WritePlayerOptions(tStringListINI& file, std::string_view player, const tPlayerOptions& options) {
    VisitKeys(options, [&](std::string_view key, const auto& value) {
        using tValue = std::remove_cvref_t<decltype(value)>;
        if constexpr (std::is_same_v<tValue, bool>)
            file.WriteBool(player, key, value);
        else if constexpr (std::is_same_v<tValue, int>)
            file.WriteInteger(player, key, value);
        else
            file.WriteString(player, key, value);
    });
}
