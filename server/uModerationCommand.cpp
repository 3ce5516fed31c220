// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uModerationCommand.h"

#include "platform/uCodePage.h"

#include <QDateTime>
#include <QStringList>
#include <QTimeZone>

namespace {

constexpr const char* kName = "name";
constexpr const char* kReason = "reason";

QString Command(tModeration action) {
    const std::string_view name = ModerationName(action);
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// What was done to "result N of NAME (...)", or why nothing was.
QString Done(tModeration action, bool changed) {
    switch (action) {
    case tModeration::Hide:
        return changed ? "Hid %1." : "The %1 is already hidden; nothing was changed.";
    case tModeration::Unhide:
        return changed ? "Showed %1 again." : "The %1 is already shown; nothing was changed.";
    case tModeration::Remove:
        break;
    }
    return "Removed %1.";
}

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

// "Standart Normal, level 7, score 12345, started 07.03.05 21:15:00"
QString Description(const tScoreRecord& r) {
    return QString("%1 %2, level %3, score %4, started %5")
        .arg(Utf8(r.GameType), Utf8(r.Difficulty))
        .arg(r.Entry.Level)
        .arg(r.Entry.Score)
        .arg(Utf8(r.Entry.StartTime));
}

void Print(FILE* stream, const QString& line) {
    std::fprintf(stream, "%s\n", line.toUtf8().constData());
}

int Failed(FILE* err, const QString& problem) {
    Print(err, "stakkar-scores: " + problem);
    return 1;
}

// "2026-12-11 04:20:00 UTC remove result 5 of Ann (Standart Normal, score 9000, started 07.03.05 21:15:00):
// why"
QString LogLine(const tModerationEntry& e) {
    QString line = QDateTime::fromMSecsSinceEpoch(e.AtMs, QTimeZone::utc()).toString("yyyy-MM-dd hh:mm:ss") +
                   " UTC " + Utf8(e.Action) + QString(" result %1").arg(e.ResultId);
    if (e.Known) {
        line += QString(" of %1 (%2 %3, score %4, started %5)")
                    .arg(FromCodePage(e.Name), Utf8(e.GameType), Utf8(e.Difficulty))
                    .arg(e.Score)
                    .arg(Utf8(e.StartTime));
    }
    return e.Reason.empty() ? line : line + ": " + Utf8(e.Reason);
}

int ShowLog(tModerationStore& store, FILE* out, FILE* err) {
    const auto log = store.Log();
    if (!log) {
        return Failed(err, log.Problem());
    }
    if (log->empty()) {
        Print(out, "Nothing has been hidden, shown again or removed.");
    }
    for (const tModerationEntry& entry : *log) {
        Print(out, LogLine(entry));
    }
    return 0;
}

} // namespace

void AddModerationOptions(QCommandLineParser& parser) {
    parser.addOption({kName, "The player whose results list shows.", "name"});
    parser.addOption({kReason, "Why a result is hidden, shown again or removed; the log keeps it.", "text"});
    parser.setApplicationDescription(
        parser.applicationDescription() +
        "\n\nCommands for moderators, on the same --database:\n"
        "  list --name NAME          the results stored under NAME, each with its id\n"
        "  hide ID [--reason TEXT]   leaves the result out of every table, page and JSON\n"
        "  unhide ID [--reason TEXT] shows a hidden result again\n"
        "  remove ID [--reason TEXT] deletes the result; uploaded again, it is new\n"
        "  log                       every change, whose result it was and why\n"
        "  backup FILE               copies the SQLite file, while the server runs too, to the new FILE\n"
        "Each change is logged with its time and reason.");
    parser.addPositionalArgument("command", "A command for moderators; without one the server runs.",
                                 "[command]");
}

bool ParseModerationCommand(const QCommandLineParser& parser, std::optional<tModerationCommand>& command,
                            QString& message) {
    command.reset();
    const QStringList words = parser.positionalArguments();
    if (words.isEmpty()) {
        if (parser.isSet(kName) || parser.isSet(kReason)) {
            message = "--name and --reason go with a command: list, hide, unhide or remove.";
            return false;
        }
        return true;
    }
    tModerationCommand c;
    if (words[0] == "log") {
        if (words.size() != 1 || parser.isSet(kName) || parser.isSet(kReason)) {
            message = "Usage: log";
            return false;
        }
        c.ShowLog = true;
        command = c;
        return true;
    }
    if (words[0] == "list") {
        const QString name = parser.value(kName);
        if (words.size() != 1 || !parser.isSet(kName) || name.isEmpty() || parser.isSet(kReason)) {
            message = "Usage: list --name NAME";
            return false;
        }
        if (!IsRepresentable(name)) {
            message = "The name holds a character that Windows-1251 does not have, so no result is stored "
                      "under it: " +
                      name;
            return false;
        }
        c.Name = ToCodePage(name);
        command = c;
        return true;
    }
    for (const tModeration action : kModerations) {
        if (words[0] != Command(action)) {
            continue;
        }
        bool ok = false;
        c.Id = words.value(1).toLongLong(&ok);
        if (words.size() != 2 || !ok || c.Id <= 0 || parser.isSet(kName)) {
            message = "Usage: " + Command(action) + " ID [--reason TEXT], ID a result's id as list shows it";
            return false;
        }
        c.Action = action;
        c.Reason = parser.value(kReason).toStdString();
        command = c;
        return true;
    }
    message = "Unknown command: " + words[0] + " (list, hide, unhide, remove, log or backup)";
    return false;
}

int RunModerationCommand(tModerationStore& store, const tModerationCommand& command, FILE* out, FILE* err) {
    if (command.ShowLog) {
        return ShowLog(store, out, err);
    }
    if (!command.Action) {
        const auto results = store.ResultsOf(command.Name);
        if (!results) {
            return Failed(err, results.Problem());
        }
        if (results->empty()) {
            Print(out, "No results are stored under the name " + FromCodePage(command.Name) + ".");
        }
        for (const tStoredResult& r : *results) {
            Print(out,
                  QString("%1: %2, %3").arg(r.Id).arg(Description(r.Record), r.Hidden ? "hidden" : "shown"));
        }
        return 0;
    }
    const tStoreResult<tModerated> moderated = store.Moderate(command.Id, *command.Action, command.Reason);
    if (!moderated) {
        return Failed(err, moderated.Problem());
    }
    const std::optional<tStoredResult>& before = moderated->Before;
    if (!before) {
        return Failed(err, QString("There is no result %1.").arg(command.Id));
    }
    const QString result = QString("result %1 of %2 (%3)")
                               .arg(command.Id)
                               .arg(FromCodePage(before->Record.Entry.Name), Description(before->Record));
    Print(out, Done(*command.Action, moderated->Changed).arg(result));
    return 0;
}
