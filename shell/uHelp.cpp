// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uHelp.h"

#include "engine/uOpenForPlayer.h"
#include "look/uLang.h"
#include "platform/uBaseDir.h"
#include "platform/uCodePage.h"

#include <QDir>
#include <QFileInfo>

std::string ConfinedHelpPath(const std::string& langDir, const QString& name) {
    if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\') || name.contains(QChar(0)) ||
        name.contains(QStringLiteral(".."))) {
        return {};
    }
    const QFileInfo file(QDir(QString::fromStdString(langDir)), name);
    if (file.isSymLink() || !file.isFile()) {
        return {};
    }
    return file.absoluteFilePath().toStdString();
}

void iHelpClick() {
    // The help lies beside its language file, in the data folder or among the installed languages.
    for (const std::string& folder : SearchPath("lang")) {
        const std::string path = ConfinedHelpPath(folder, LanguageTable.Help);
        if (!path.empty()) {
            OpenForPlayer(path);
            return;
        }
    }
}
