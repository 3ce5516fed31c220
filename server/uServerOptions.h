// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line of stakkar-scores.

#include "server/uModeration.h"

#include <QHostAddress>
#include <QString>
#include <QStringList>

#include <optional>

struct tServerOptions {
    QString Database;
    QHostAddress Listen;
    // 0 lets the system choose; the server prints the port it got.
    quint16 Port = 0;
    double UploadsPerMinute = 0;
    double UploadBurst = 0;
    // A moderator's command to run instead of the server.
    std::optional<tModerationCommand> Command;
};

inline constexpr quint16 kDefaultPort = 8888;

// Nothing when the arguments are wrong; the parser has then told the user why (or shown the help).
std::optional<tServerOptions> ParseServerOptions(const QStringList& arguments, QString& message,
                                                 int& exitCode);
