// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uServerOptions.h"

#include "server/http/uClientAddress.h"
#include "server/store/uDatabasePassword.h"
#include "server/store/uDatabaseTarget.h"

#include <QCommandLineParser>

#include <cmath>

namespace {

std::optional<boost::asio::ip::address> Address(const QString& text) {
    boost::system::error_code error;
    const boost::asio::ip::address address = boost::asio::ip::make_address(text.toStdString(), error);
    if (error) {
        return std::nullopt;
    }
    return Unmapped(address);
}

// Whole milliseconds of a number of seconds such as 10 or 0.5; nothing unless it is a positive count.
std::optional<std::chrono::milliseconds> Duration(const QString& text) {
    bool ok = false;
    const double seconds = text.toDouble(&ok);
    if (!ok || !(seconds >= 0.001 && seconds <= 86400)) {
        return std::nullopt;
    }
    return std::chrono::milliseconds(std::llround(seconds * 1000));
}

std::optional<size_t> Count(const QString& text) {
    bool ok = false;
    const uint count = text.toUInt(&ok);
    if (!ok || count == 0) {
        return std::nullopt;
    }
    return count;
}

QString Seconds(std::chrono::milliseconds duration) {
    return QString::number(static_cast<double>(duration.count()) / 1000.0);
}

} // namespace

std::optional<tServerOptions> ParseServerOptions(const QStringList& arguments, QString& message,
                                                 int& exitCode) {
    const tHttpSettings http;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Receives the results that Stakkar uploads, checks them, stores them and "
        "shows the high score tables.");
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption database(
        "database",
        "Where results are stored: an SQLite file (default " + QString(kDefaultDatabaseFile) +
            " in the working folder) or postgresql://USER@HOST[:PORT]/DBNAME[?host=SOCKETDIR].",
        "target", kDefaultDatabaseFile);
    const QCommandLineOption passwordFile(
        "database-password-file",
        "The file whose first line is the PostgreSQL password; without it, the systemd credential " +
            QString(kPasswordCredential) + ", PGPASSWORD or ~/.pgpass.",
        "file");
    const QCommandLineOption listen("listen",
                                    "The address to listen on (default 127.0.0.1; 0.0.0.0 or :: for all).",
                                    "address", "127.0.0.1");
    const QCommandLineOption port("port",
                                  QString("The TCP port (default %1; 0 picks a free one).").arg(kDefaultPort),
                                  "number", QString::number(kDefaultPort));
    const QCommandLineOption rate("uploads-per-minute",
                                  "Results one client address may have taken per minute (default 30); "
                                  "refused and repeated uploads do not count. The servers on one PostgreSQL "
                                  "database share it.",
                                  "count", "30");
    const QCommandLineOption burst(
        "upload-burst",
        "Results one client address may have taken at once before the rate applies "
        "(default 10).",
        "count", "10");
    const QCommandLineOption searches(
        "searches-per-minute",
        QString(
            "Name searches one client address may ask for per minute, after %1 at once (default 60); more "
            "are answered 429 with Retry-After.")
            .arg(kSearchBurst),
        "count", "60");
    const QCommandLineOption proxy(
        "trust-proxy",
        "The address of a reverse proxy in front of this server: a request that comes from it counts against "
        "the client address it names last in X-Forwarded-For. Requests from anywhere else count against the "
        "address they come from, whatever they claim.",
        "address");
    const QCommandLineOption headerTimeout(
        "header-timeout",
        QString(
            "Seconds a client may take to send a request's header lines before it is cut off (default %1).")
            .arg(Seconds(http.HeaderTimeout)),
        "seconds", Seconds(http.HeaderTimeout));
    const QCommandLineOption idleTimeout(
        "idle-timeout",
        QString("Seconds a kept-alive connection may wait for its next request (default %1).")
            .arg(Seconds(http.IdleTimeout)),
        "seconds", Seconds(http.IdleTimeout));
    const QCommandLineOption connections(
        "max-connections",
        QString(
            "Connections open at once (default %1, lowered to what the descriptor limit allows); more are "
            "answered 503.")
            .arg(http.Connections),
        "count", QString::number(http.Connections));
    const QCommandLineOption perAddress(
        "connections-per-address",
        QString("Connections open at once from one client address (default %1; the trusted proxy is held to "
                "--max-connections only); more are answered 503.")
            .arg(http.ConnectionsPerAddress),
        "count", QString::number(http.ConnectionsPerAddress));
    const QCommandLineOption checkQueue(
        "check-queue",
        QString(
            "Replay checks that may wait for a worker at once (default %1); an upload over it is answered "
            "503 with Retry-After, and so is a check still waiting when its request's --header-timeout "
            "passes.")
            .arg(http.CheckQueue),
        "count", QString::number(http.CheckQueue));
    const QCommandLineOption checksPerAddress(
        "checks-per-address",
        QString("Replay checks of one client address that may wait or run at once (default %1); more are "
                "answered 503 with Retry-After.")
            .arg(http.ChecksPerAddress),
        "count", QString::number(http.ChecksPerAddress));
    const QCommandLineOption requireReplay(
        "require-replay",
        "Refuse a result that comes without the replay of its game, or with one of the first format, whose "
        "key presses have no times (403), rather than store it unverified. "
        "A result whose replay gives back all its fields is stored as verified either way.");
    const QCommandLineOption noAccessLog("no-access-log",
                                         "Write no line to standard error for each request answered.");
    parser.addOptions({database, passwordFile, listen, port, rate, burst, searches, proxy, headerTimeout,
                       idleTimeout, connections, perAddress, checkQueue, checksPerAddress, requireReplay,
                       noAccessLog});
    AddModerationOptions(parser);

    exitCode = 2;
    if (!parser.parse(arguments)) {
        message = parser.errorText();
        return std::nullopt;
    }
    if (parser.isSet(help)) {
        message = parser.helpText();
        exitCode = 0;
        return std::nullopt;
    }
    tServerOptions options;
    if (const QStringList words = parser.positionalArguments(); words.value(0) == "backup") {
        if (words.size() != 2 || words[1].isEmpty() || parser.isSet("name") || parser.isSet("reason")) {
            message = "Usage: backup FILE, FILE a file that does not exist yet";
            return std::nullopt;
        }
        options.BackupFile = words[1];
    } else if (!ParseModerationCommand(parser, options.Command, message)) {
        return std::nullopt;
    }
    options.Database = parser.value(database);
    options.PasswordFile = parser.value(passwordFile);
    options.RequireReplay = parser.isSet(requireReplay);
    options.Http.AccessLog = !parser.isSet(noAccessLog);
    const std::optional<boost::asio::ip::address> listenAddress = Address(parser.value(listen));
    if (!listenAddress) {
        message = "Not an IP address: " + parser.value(listen);
        return std::nullopt;
    }
    options.Listen = *listenAddress;
    bool ok = false;
    const uint portNumber = parser.value(port).toUInt(&ok);
    if (!ok || portNumber > 65535) {
        message = "Not a TCP port: " + parser.value(port);
        return std::nullopt;
    }
    options.Port = static_cast<std::uint16_t>(portNumber);
    options.UploadsPerMinute = parser.value(rate).toDouble(&ok);
    if (!ok || options.UploadsPerMinute <= 0) {
        message = "Not a positive number of uploads per minute: " + parser.value(rate);
        return std::nullopt;
    }
    options.UploadBurst = parser.value(burst).toDouble(&ok);
    if (!ok || options.UploadBurst < 1) {
        message = "Not a burst of one upload or more: " + parser.value(burst);
        return std::nullopt;
    }
    options.SearchesPerMinute = parser.value(searches).toDouble(&ok);
    if (!ok || options.SearchesPerMinute <= 0) {
        message = "Not a positive number of searches per minute: " + parser.value(searches);
        return std::nullopt;
    }
    if (parser.isSet(proxy)) {
        options.Http.TrustedProxy = Address(parser.value(proxy));
        if (!options.Http.TrustedProxy) {
            message = "Not an IP address for --trust-proxy: " + parser.value(proxy);
            return std::nullopt;
        }
    }
    const std::optional<std::chrono::milliseconds> header = Duration(parser.value(headerTimeout));
    const std::optional<std::chrono::milliseconds> idle = Duration(parser.value(idleTimeout));
    if (!header || !idle) {
        message =
            "Not a time from 0.001 to 86400 seconds: " + parser.value(header ? idleTimeout : headerTimeout);
        return std::nullopt;
    }
    options.Http.HeaderTimeout = *header;
    options.Http.IdleTimeout = *idle;
    const std::optional<size_t> total = Count(parser.value(connections));
    const std::optional<size_t> each = Count(parser.value(perAddress));
    if (!total || !each) {
        message =
            "Not a number of connections of one or more: " + parser.value(total ? perAddress : connections);
        return std::nullopt;
    }
    options.Http.Connections = *total;
    options.Http.ConnectionsPerAddress = *each;
    const std::optional<size_t> waiting = Count(parser.value(checkQueue));
    const std::optional<size_t> checksEach = Count(parser.value(checksPerAddress));
    if (!waiting || !checksEach) {
        message = "Not a number of replay checks of one or more: " +
                  parser.value(waiting ? checksPerAddress : checkQueue);
        return std::nullopt;
    }
    options.Http.CheckQueue = *waiting;
    options.Http.ChecksPerAddress = *checksEach;
    return options;
}
