// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uMessage.h"

#include <QDebug>

#include <utility>

namespace {
tMessagePresenter& Presenter() {
    static tMessagePresenter presenter;
    return presenter;
}
} // namespace

void ShowMessageBox(const QString& text) {
    if (Presenter()) {
        Presenter()(text);
        return;
    }
    qWarning().noquote() << text;
}

tMessagePresenter SetMessagePresenter(tMessagePresenter presenter) {
    return std::exchange(Presenter(), std::move(presenter));
}
