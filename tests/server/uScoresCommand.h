// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// stakkar-scores run once as a command, waited for.

#include <QProcess>
#include <QString>
#include <QStringList>

struct tCommandOutput {
    // -1 when it did not run to its end.
    int ExitCode = -1;
    QString Out;
    QString Err;
};

tCommandOutput RunScoresCommand(const QStringList& arguments);
// Starts it and leaves it running, for what happens while it runs.
void StartScoresCommand(QProcess& process, const QStringList& arguments);
