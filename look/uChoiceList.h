// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The content of a drop-down list of names (skins, languages): the items, the selected one and the hint. The
// combo box that shows it mirrors this object through its observer; the logic lives here, testable without a
// window.

#include "platform/uStringList.h"
#include "platform/uTargets.h"

#include <QString>
#include <functional>
#include <string>
#include <string_view>

class tChoiceList {
public:
    void Clear();
    void Add(std::string name);
    // Removes an item; the selection stays on the same item, or none when that item was removed.
    void Delete(int index);
    int Count() const { return items_.Count(); }
    const std::string& Item(int index) const { return items_[index]; }
    // An item spelled exactly like the name, else the first one equal ignoring letter case; -1 when none.
    int Find(std::string_view name) const;

    int ItemIndex() const { return index_; }
    // Out of range selects nothing.
    void SetItemIndex(int index);
    // Selects Find(name), or nothing when there is no such item.
    void SelectName(std::string_view name);
    // The selected item, empty when nothing is selected.
    std::string Text() const;

    const QString& Hint() const { return hint_; }
    void SetHint(QString hint);

    // Told after every change of the items, the selection or the hint, while the subscription lives.
    [[nodiscard]] tSubscription Observe(std::function<void()> observer) {
        return observers_.Add(std::move(observer));
    }

    // The change handling of the list: when the selected text is the name applied last nothing happens;
    // otherwise reset() restores the built-in choice, select(text) applies the selected item unless it is the
    // first one (the built-in entry) or none is selected, and the text becomes the name applied last.
    // Returns whether anything was applied.
    bool Change(const std::function<void()>& reset, const std::function<void(const std::string&)>& select);
    const std::string& LastName() const { return lastName_; }
    void ForgetLastName() { lastName_.clear(); }

private:
    void Changed() const;

    tStringList items_;
    int index_ = -1;
    QString hint_;
    std::string lastName_;
    tTargetList observers_;
};
