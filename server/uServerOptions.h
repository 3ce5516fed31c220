// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line of stakkar-scores.

#include "server/http/uHttpSettings.h"
#include "server/uModerationCommand.h"

#include <QString>
#include <QStringList>
#include <boost/asio/ip/address.hpp>

#include <cstdint>
#include <optional>

struct tServerOptions {
    QString Database;
    // Where the PostgreSQL password is kept; empty for systemd's credential or libpq's own ways.
    QString PasswordFile;
    boost::asio::ip::address Listen;
    // 0 lets the system choose; the server prints the port it got.
    std::uint16_t Port = 0;
    double UploadsPerMinute = 0;
    double UploadBurst = 0;
    double SearchesPerMinute = 0;
    // A result without its game's replay is refused rather than stored unverified.
    bool RequireReplay = false;
    tHttpSettings Http;
    // A moderator's command to run instead of the server.
    std::optional<tModerationCommand> Command;
    // The file to copy the database to instead of running the server.
    std::optional<QString> BackupFile;
};

inline constexpr std::uint16_t kDefaultPort = 8888;
// Searches one client address may ask for at once before --searches-per-minute applies.
inline constexpr double kSearchBurst = 10;

// Nothing when the arguments are wrong; the parser has then told the user why (or shown the help).
std::optional<tServerOptions> ParseServerOptions(const QStringList& arguments, QString& message,
                                                 int& exitCode);
