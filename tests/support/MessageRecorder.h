// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Records the messages the program shows instead of showing them, for as long as it lives.

#include "platform/uMessage.h"

#include <string>
#include <vector>

class tMessageRecorder {
public:
    tMessageRecorder()
        : previous_(
              SetMessagePresenter([this](const QString& text) { messages.push_back(text.toStdString()); })) {}
    ~tMessageRecorder() { SetMessagePresenter(std::move(previous_)); }
    tMessageRecorder(const tMessageRecorder&) = delete;
    tMessageRecorder& operator=(const tMessageRecorder&) = delete;

    // In UTF-8, as the tests are written.
    std::vector<std::string> messages;

private:
    tMessagePresenter previous_;
};
