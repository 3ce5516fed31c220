// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/uWellMessage.h"

#include "look/uLang.h"

QString WellMessageText(tWellMessage message) {
    const QString& newGame = LangText("s1201");
    switch (message) {
    case tWellMessage::Pause:
        return HeaderForm(LangText("s1202"));
    case tWellMessage::GameOver:
        return HeaderForm(LangText("s1204")) + "\n\r" + newGame;
    case tWellMessage::Interrupted:
        return HeaderForm(LangText("s1203")) + "\n\r" + newGame;
    case tWellMessage::NewGame:
        break;
    }
    return newGame;
}
