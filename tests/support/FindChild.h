// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A control found by its object name among the children of a window, the way the program names its controls.
// A missing one ends the test at once with the name it looked for, rather than leaving a null pointer to
// crash on.

#include <QObject>
#include <QString>

#include <stdexcept>
#include <string>

template <typename tControl> tControl* FindChild(const QObject* parent, const char* name) {
    auto* child = parent->findChild<tControl*>(QString::fromLatin1(name));
    if (child == nullptr)
        throw std::runtime_error(std::string("no ") + tControl::staticMetaObject.className() + " named " +
                                 name);
    return child;
}
