// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/check/uReplayCheck.h"
#include "server/http/uDescriptorBudget.h"
#include "server/http/uHttpServer.h"
#include "server/http/uIdleHeap.h"
#include "server/store/uDatabaseBackup.h"
#include "server/store/uDatabasePassword.h"
#include "server/store/uDatabaseTarget.h"
#include "server/store/uScoreDatabase.h"
#include "server/uRateLimiter.h"
#include "server/uScoreServer.h"
#include "server/uServerOptions.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv) {
    // Qt finds its SQL drivers through the application object; the HTTP side runs on its own loop.
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("stakkar-scores");

    QString message;
    int exitCode = 0;
    std::optional<tServerOptions> options = ParseServerOptions(app.arguments(), message, exitCode);
    if (!options) {
        std::fprintf(exitCode == 0 ? stdout : stderr, "%s\n", qPrintable(message));
        return exitCode;
    }
    tStoreResult<tDatabaseTarget> target = ParseDatabaseTarget(options->Database);
    if (!target) {
        std::fprintf(stderr, "stakkar-scores: %s\n", qPrintable(target.Problem()));
        return 2;
    }
    // A mistyped path would otherwise leave a new empty database behind and list no results from it.
    if (options->Command && target->Kind == tDatabaseTarget::tKind::SQLite &&
        !QFileInfo::exists(target->Name)) {
        std::fprintf(stderr,
                     "stakkar-scores: there is no SQLite file %s; the moderators' commands work on the "
                     "database a server made and make none.\n",
                     qPrintable(target->Name));
        return 2;
    }
    if (options->BackupFile) {
        // Before the database is opened, which would create a missing file and bring it to this schema.
        if (const tStoreResult<void> copied = BackUpDatabase(*target, *options->BackupFile); !copied) {
            std::fprintf(stderr, "stakkar-scores: %s\n", qPrintable(copied.Problem()));
            return target->Kind == tDatabaseTarget::tKind::PostgreSQL ? 2 : 1;
        }
        std::printf("Copied %s to %s.\n", qPrintable(target->Name), qPrintable(*options->BackupFile));
        return 0;
    }
    if (target->Kind == tDatabaseTarget::tKind::PostgreSQL) {
        const tStoreResult<QString> password = DatabasePassword(options->PasswordFile);
        if (!password) {
            std::fprintf(stderr, "stakkar-scores: %s\n", qPrintable(password.Problem()));
            return 2;
        }
        target->Password = *password;
    }
    tScoreDatabase database(*target, "scores");
    if (const tStoreResult<void> opened = database.Open(); !opened) {
        std::fprintf(stderr, "stakkar-scores: %s\n", qPrintable(opened.Problem()));
        return 1;
    }
    if (options->Command) {
        return RunModerationCommand(database.Moderation(), *options->Command, stdout, stderr);
    }
    KeepReplayMemory();
    ShareOneArena();
    const size_t wanted = options->Http.Connections;
    options->Http.Connections = ConnectionsWithinDescriptors(wanted);
    if (options->Http.Connections < wanted) {
        std::fprintf(stderr,
                     "stakkar-scores: the descriptor limit leaves room for %zu connections at once, not %zu "
                     "(raise it with ulimit -n or LimitNOFILE=).\n",
                     options->Http.Connections, wanted);
    }
    tRateLimiter limiter(options->UploadsPerMinute, options->UploadBurst);
    tRateLimiter searches(options->SearchesPerMinute, kSearchBurst);
    tUploadAllowance* allowance = &limiter;
    if (target->Kind == tDatabaseTarget::tKind::PostgreSQL) {
        if (const tStoreResult<void> prepared =
                database.Allowance().Prepare(options->UploadsPerMinute, options->UploadBurst);
            !prepared) {
            std::fprintf(stderr, "stakkar-scores: %s\n", qPrintable(prepared.Problem()));
            return 1;
        }
        allowance = &database.Allowance();
    }
    tMetrics metrics;
    tScoreServer scores(database.Results(), *allowance, searches, metrics, options->RequireReplay);
    tHttpServer server(
        options->Http,
        [&scores](std::string_view address, const std::string& client, bool head) {
            return scores.Answer(address, client, head);
        },
        metrics);
    const std::string listen = options->Listen.to_string();
    std::string problem;
    if (!server.Listen(options->Listen, options->Port, problem)) {
        std::fprintf(stderr,
                     "stakkar-scores: cannot listen on %s port %u: %s (in use, or below 1024 without root or "
                     "CAP_NET_BIND_SERVICE).\n",
                     listen.c_str(), options->Port, problem.c_str());
        return 1;
    }
    // Tests and scripts read the port from this line when they asked for any free one.
    std::printf("stakkar-scores: listening on %s port %u\n", listen.c_str(), server.Port());
    std::fflush(stdout);
    server.Run();
    if (const tStoreResult<void> checkpointed = database.Checkpoint(); !checkpointed) {
        std::fprintf(stderr, "stakkar-scores: %s\n", qPrintable(checkpointed.Problem()));
    }
    return 0;
}
