// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/uOpenForPlayer.h"

#include "look/uLang.h"
#include "platform/uMessage.h"
#include "platform/uShell.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>

namespace {

// A document as the player finds it in a file manager; an address as a browser takes it.
QString ShownTarget(const std::string& target) {
    const QUrl url = ShellUrl(target);
    if (url.isLocalFile()) {
        return QFile::decodeName(QFile::encodeName(url.toLocalFile()));
    }
    return QString::fromStdString(target);
}

} // namespace

void OpenForPlayer(const std::string& target) {
    if (ShellOpen(target)) {
        return;
    }
    const QString shown = ShownTarget(target);
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->setText(shown);
    }
    ShowMessageBox(LangFormat("s0106", {shown}));
}
