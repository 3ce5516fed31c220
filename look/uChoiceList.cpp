// SPDX-License-Identifier: GPL-3.0-or-later
#include "look/uChoiceList.h"

void tChoiceList::Clear() {
    items_.Clear();
    index_ = -1;
    Changed();
}

void tChoiceList::Add(std::string name) {
    items_.Add(std::move(name));
    Changed();
}

void tChoiceList::Delete(int index) {
    if (index < 0 || index >= items_.Count()) {
        return;
    }
    items_.Delete(index);
    if (index == index_) {
        index_ = -1;
    } else if (index < index_) {
        --index_;
    }
    Changed();
}

int tChoiceList::Find(std::string_view name) const {
    for (int i = 0; i < items_.Count(); ++i) {
        if (items_[i] == name) {
            return i;
        }
    }
    return items_.IndexOf(name);
}

void tChoiceList::SetItemIndex(int index) {
    index_ = index >= 0 && index < items_.Count() ? index : -1;
    Changed();
}

void tChoiceList::SelectName(std::string_view name) {
    SetItemIndex(Find(name));
}

std::string tChoiceList::Text() const {
    return index_ >= 0 ? items_[index_] : std::string();
}

void tChoiceList::SetHint(QString hint) {
    hint_ = std::move(hint);
    Changed();
}

bool tChoiceList::Change(const std::function<void()>& reset,
                         const std::function<void(const std::string&)>& select) {
    if (Text() == lastName_) {
        return false;
    }
    reset();
    if (index_ > 0) {
        select(Text());
    }
    lastName_ = Text();
    return true;
}

void tChoiceList::Changed() const {
    observers_.Run();
}
