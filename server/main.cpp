// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uDatabaseTarget.h"
#include "server/uRateLimiter.h"
#include "server/uScoreDatabase.h"
#include "server/uScoreServer.h"
#include "server/uServerOptions.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("stakkar-scores");

    QString message;
    int exitCode = 0;
    const std::optional<tServerOptions> options = ParseServerOptions(app.arguments(), message, exitCode);
    if (!options) {
        std::fprintf(exitCode == 0 ? stdout : stderr, "%s\n", qPrintable(message));
        return exitCode;
    }
    const std::optional<tDatabaseTarget> target = ParseDatabaseTarget(options->Database, message);
    if (!target) {
        std::fprintf(stderr, "stakkar-scores: %s\n", qPrintable(message));
        return 2;
    }
    tScoreDatabase database(*target, "scores");
    if (!database.Open(message)) {
        std::fprintf(stderr, "stakkar-scores: %s\n", qPrintable(message));
        return 1;
    }
    if (options->Command) {
        return RunModerationCommand(database, *options->Command, stdout, stderr);
    }
    tRateLimiter limiter(options->UploadsPerMinute, options->UploadBurst);
    tScoreServer server(database, limiter);
    const quint16 port = server.listen(options->Listen, options->Port);
    if (port == 0) {
        std::fprintf(stderr,
                     "stakkar-scores: cannot listen on %s port %u (in use, or below 1024 without root or "
                     "CAP_NET_BIND_SERVICE).\n",
                     qPrintable(options->Listen.toString()), options->Port);
        return 1;
    }
    // Tests and scripts read the port from this line when they asked for any free one.
    std::printf("stakkar-scores: listening on %s port %u\n", qPrintable(options->Listen.toString()), port);
    std::fflush(stdout);
    return QCoreApplication::exec();
}
