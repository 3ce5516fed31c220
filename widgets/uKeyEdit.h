// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

#include <cstdint>
#include <functional>

// A read-only edit that shows the name of the key bound to one action; it captures the key pressed in it.
class TKeyEdit : public QLineEdit {
    Q_OBJECT
public:
    TKeyEdit(QWidget* parent, int slot);
    int Slot() const { return slot_; }
    // Told of every key pressed in the edit, as a virtual-key code (0 for a key without one).
    void SetKeyHandler(std::function<void(TKeyEdit*, uint16_t)> handler) { keyHandler_ = std::move(handler); }

protected:
    // Tab and the like reach the capture too: nothing in an edit moves the focus.
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int slot_;
    std::function<void(TKeyEdit*, uint16_t)> keyHandler_;
};
