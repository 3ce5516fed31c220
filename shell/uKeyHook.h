// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's key hook, on the whole application: a key pressed anywhere in the window is heard once, at
// its first stop, whichever control has the focus; and Tab moves no focus between the window's controls
// (a key edit takes it as a key like any other). The desktop's repeat of a held key is told as such, and the
// key's release too, so that the game can repeat keys its own way.

#include <QObject>

#include <cstdint>
#include <functional>

class QWidget;

class tKeyHook : public QObject {
public:
    // firstStop(): where a key of the window goes first (its focused control, else the window itself);
    // owns(widget): the widget is one of the window's; press(code, repeat) hears each key by its virtual-key
    // code, repeat telling the desktop's repeat of a held key, and release(code) its letting go.
    tKeyHook(std::function<QWidget*()> firstStop, std::function<bool(const QWidget*)> owns,
             std::function<void(uint16_t code, bool repeat)> press,
             std::function<void(uint16_t code)> release);
    ~tKeyHook() override;
    tKeyHook(const tKeyHook&) = delete;
    tKeyHook& operator=(const tKeyHook&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<QWidget*()> firstStop_;
    std::function<bool(const QWidget*)> owns_;
    std::function<void(uint16_t, bool)> press_;
    std::function<void(uint16_t)> release_;
};
