// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uKeyHook.h"

#include "platform/uKeyCode.h"
#include "widgets/uKeyEdit.h"

#include <QApplication>
#include <QKeyEvent>

tKeyHook::tKeyHook(std::function<QWidget*()> firstStop, std::function<bool(const QWidget*)> owns,
                   std::function<void(uint16_t, bool)> press, std::function<void(uint16_t)> release)
    : firstStop_(std::move(firstStop)), owns_(std::move(owns)), press_(std::move(press)),
      release_(std::move(release)) {
    qApp->installEventFilter(this);
}

tKeyHook::~tKeyHook() {
    qApp->removeEventFilter(this);
}

bool tKeyHook::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        // The desktop's repeat lets go of the key before each repeat; only the real release counts.
        if (watched == firstStop_() && !key->isAutoRepeat())
            release_(VirtualKeyCode(*key));
        return QObject::eventFilter(watched, event);
    }
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    // A key goes first to the window's focused control, then to its parents while they ignore it: heard at
    // every stop, it would act once a stop.
    if (watched == firstStop_())
        press_(VirtualKeyCode(*key), key->isAutoRepeat());
    const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    return tab && owns_(qobject_cast<QWidget*>(watched)) && qobject_cast<TKeyEdit*>(watched) == nullptr;
}
