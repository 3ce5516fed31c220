// SPDX-License-Identifier: GPL-3.0-or-later
#include "uScoresCommand.h"

#include <QProcess>

tCommandOutput RunScoresCommand(const QStringList& arguments) {
    QProcess process;
    process.start(STAKKAR_SCORES_BIN, arguments);
    tCommandOutput output;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit) {
        output.ExitCode = process.exitCode();
    }
    output.Out = QString::fromUtf8(process.readAllStandardOutput());
    output.Err = QString::fromUtf8(process.readAllStandardError());
    return output;
}

void StartScoresCommand(QProcess& process, const QStringList& arguments) {
    process.start(STAKKAR_SCORES_BIN, arguments);
}
