// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The moderators' commands of stakkar-scores: list the results stored under a name with their ids, and hide,
// show again or remove one of them, each logged with its time and reason; and show that log.

#include "server/store/uModerationStore.h"

#include <QCommandLineParser>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

struct tModerationCommand {
    // Shows the moderation log; Action, Name and Id are then unused.
    bool ShowLog = false;
    // Nothing lists the results of Name.
    std::optional<tModeration> Action;
    // Bytes of the code page, as names are stored.
    std::string Name;
    int64_t Id = 0;
    // UTF-8; empty when none was given.
    std::string Reason;
};

// The commands' options and their part of --help.
void AddModerationOptions(QCommandLineParser& parser);
// The command that the parsed arguments name, nothing when they name none (the server is to run). False,
// and message set, on bad usage.
bool ParseModerationCommand(const QCommandLineParser& parser, std::optional<tModerationCommand>& command,
                            QString& message);
// Runs the command on the open database, tells out what it did and err what went wrong, and returns the
// exit status: 0 done, 1 no such result or a database failure.
int RunModerationCommand(tModerationStore& store, const tModerationCommand& command, FILE* out, FILE* err);
