// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/store/uScoreSchema.h"

#include "server/store/uNameSearch.h"
#include "server/store/uProofRecheck.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace {

// Any number, as long as no other program takes PostgreSQL's advisory lock with it.
constexpr const char* kMigrationLock = "SELECT pg_advisory_xact_lock(5872014)";
constexpr const char* kVersionTableKnownPg = "SELECT to_regclass('schema_version') IS NOT NULL";
constexpr const char* kVersionTableKnownSqlite =
    "SELECT COUNT(*) > 0 FROM sqlite_master WHERE type = 'table' AND name = 'schema_version'";

QString Column(const tResultFieldSpec& field) {
    return QString::fromUtf8(field.Column.data(), static_cast<qsizetype>(field.Column.size()));
}

QString ColumnType(tResultForm form) {
    switch (form) {
    case tResultForm::CodePageText:
        return "{bytes}";
    case tResultForm::Number:
    case tResultForm::NumberText:
        return "INTEGER";
    case tResultForm::Text:
        break;
    }
    return "TEXT";
}

// The results table, one column a field of the result. SQLite keeps this text as the table's definition, and
// a database made today reads as one made by the first servers, whose text had nine spaces before
// broken_lines where its source line broke. A field added to the table later needs a step of its own that
// adds its column, and this step must then leave it out.
QString ResultsTable() {
    QString columns;
    QString unique = "game_type, difficulty";
    for (const tResultFieldSpec& f : kResultFields) {
        columns += " " + Column(f) + " " + ColumnType(f.Form) + " NOT NULL,";
        if (f.Field == tResultField::StartTime) {
            // The start time in milliseconds, the last key of the ranking, beside the text it is read from.
            columns += " start_ms BIGINT NOT NULL,";
        }
        unique += (f.Field == tResultField::BrokenLines ? ",         " : ", ") + Column(f);
    }
    return "CREATE TABLE results ( id {key}, game_type TEXT NOT NULL, difficulty TEXT NOT NULL," + columns +
           " received_ms BIGINT NOT NULL, UNIQUE (" + unique + "))";
}

const tResultFieldSpec& SpecOf(tResultField field) {
    for (const tResultFieldSpec& f : kResultFields) {
        if (f.Field == field) {
            return f;
        }
    }
    return kResultFields[0];
}

// The moderation log keeps the table and kLoggedFields of the result it names, empty in the entries of
// results removed before it did; every other entry takes them from its result.
QStringList LoggedResultStatements() {
    QStringList statements = {"ALTER TABLE moderation_log ADD COLUMN game_type TEXT",
                              "ALTER TABLE moderation_log ADD COLUMN difficulty TEXT"};
    for (const tResultField field : kLoggedFields) {
        const tResultFieldSpec& f = SpecOf(field);
        statements += "ALTER TABLE moderation_log ADD COLUMN " + Column(f) + " " + ColumnType(f.Form);
    }
    for (const QString& column : LoggedColumns().split(", ")) {
        statements += "UPDATE moderation_log SET " + column + " = (SELECT " + column +
                      " FROM results WHERE results.id = moderation_log.result_id)";
    }
    return statements;
}

// The shown results of every table, kept by the database itself on every insert, removal, hide and unhide, so
// that a page need not count a large table and every server on the database reads the same numbers.
QStringList CountingStatements(bool postgres) {
    QStringList statements = {
        "CREATE TABLE table_counts (game_type TEXT NOT NULL, difficulty TEXT NOT NULL, shown BIGINT NOT NULL,"
        " PRIMARY KEY (game_type, difficulty))",
        "INSERT INTO table_counts (game_type, difficulty, shown) SELECT game_type, difficulty, COUNT(*)"
        " FROM results WHERE hidden = 0 GROUP BY game_type, difficulty",
    };
    if (postgres) {
        return statements +
               QStringList{
                   "CREATE FUNCTION count_shown_results() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN"
                   " IF TG_OP <> 'DELETE' AND NEW.hidden = 0 THEN"
                   "  INSERT INTO table_counts (game_type, difficulty, shown) VALUES (NEW.game_type, "
                   "NEW.difficulty, 1)"
                   "  ON CONFLICT (game_type, difficulty) DO UPDATE SET shown = table_counts.shown + 1;"
                   " END IF;"
                   " IF TG_OP <> 'INSERT' AND OLD.hidden = 0 THEN"
                   "  UPDATE table_counts SET shown = shown - 1"
                   "  WHERE game_type = OLD.game_type AND difficulty = OLD.difficulty;"
                   " END IF;"
                   " RETURN NULL; END $$",
                   "CREATE TRIGGER results_counted AFTER INSERT OR DELETE OR UPDATE OF hidden ON results"
                   " FOR EACH ROW EXECUTE FUNCTION count_shown_results()",
               };
    }
    return statements +
           QStringList{
               "CREATE TRIGGER results_counted_insert AFTER INSERT ON results WHEN NEW.hidden = 0 BEGIN"
               " INSERT INTO table_counts (game_type, difficulty, shown) VALUES (NEW.game_type, "
               "NEW.difficulty, 1)"
               " ON CONFLICT (game_type, difficulty) DO UPDATE SET shown = shown + 1; END",
               "CREATE TRIGGER results_counted_delete AFTER DELETE ON results WHEN OLD.hidden = 0 BEGIN"
               " UPDATE table_counts SET shown = shown - 1"
               " WHERE game_type = OLD.game_type AND difficulty = OLD.difficulty; END",
               "CREATE TRIGGER results_counted_hidden AFTER UPDATE OF hidden ON results WHEN OLD.hidden <> "
               "NEW.hidden"
               " BEGIN"
               " INSERT INTO table_counts (game_type, difficulty, shown)"
               " VALUES (NEW.game_type, NEW.difficulty, CASE NEW.hidden WHEN 0 THEN 1 ELSE -1 END)"
               " ON CONFLICT (game_type, difficulty) DO UPDATE SET shown = shown + excluded.shown; END",
           };
}

// The statements of step n (1-based). {key} stands for the dialect's key column, {bytes} for its byte
// string type.
QStringList StepStatements(int step, bool postgres) {
    switch (step) {
    case 1:
        return {
            ResultsTable(),
            "CREATE INDEX results_rank ON results (game_type, difficulty, score DESC, level, start_ms, id)",
        };
    case 2:
        // Hidden results stay stored but leave every table; the ranking index takes the flag before the
        // score, so the tables and ranks still read the shown results alone, in order, from the index.
        return {
            "ALTER TABLE results ADD COLUMN hidden INTEGER NOT NULL DEFAULT 0",
            "DROP INDEX results_rank",
            "CREATE INDEX results_rank ON results (game_type, difficulty, hidden, score DESC, level, "
            "start_ms, "
            "id)",
            "CREATE TABLE moderation_log (id {key}, at_ms BIGINT NOT NULL, action TEXT NOT NULL,"
            " result_id BIGINT NOT NULL, reason TEXT NOT NULL)",
        };
    case 3:
        return {
            // A player's page and the search by name.
            "CREATE INDEX results_name ON results (name)",
            // Two-digit years 70 to 99 were read as 2070 to 2099 and are now 1970 to 1999, a hundred years
            // of 36525 days earlier; no start time of another year reads as 2070 or later.
            "UPDATE results SET start_ms = start_ms - 3155760000000 WHERE start_ms >= 3155760000000",
        };
    case 4:
        return CountingStatements(postgres);
    case 5:
        // A result whose replay gave it back is verified and keeps the replay and the well its game ended
        // with; every result stored before came without a replay.
        return {
            "ALTER TABLE results ADD COLUMN verified INTEGER NOT NULL DEFAULT 0",
            "ALTER TABLE results ADD COLUMN replay {bytes}",
            "ALTER TABLE results ADD COLUMN final_well TEXT",
            // A replay copied from a verified result cannot verify another name's.
            "ALTER TABLE results ADD COLUMN game_key TEXT",
            "CREATE UNIQUE INDEX results_game ON results (game_key)",
        };
    case 7:
        return LoggedResultStatements();
    case 8:
        // The search of names reads this index of their words, which the server adds to with every name it
        // stores; a removed or hidden name keeps its keys, and the search asks for its shown results.
        return {
            "CREATE TABLE name_search (folded {bytes} NOT NULL, name {bytes} NOT NULL, PRIMARY KEY (folded, "
            "name))"};
    case 9:
        // The upload allowance the server processes on one PostgreSQL database share (uAllowanceStore). A
        // server on an SQLite file is the only one on it and keeps the allowance in memory, which spares the
        // file a write, and its one writer's lock, for every upload.
        if (!postgres) {
            return {};
        }
        return {"CREATE TABLE allowance (client TEXT PRIMARY KEY, tokens DOUBLE PRECISION NOT NULL,"
                " at TIMESTAMPTZ NOT NULL)"};
    case 10:
        // The front page's latest verified games, read newest first from the index's end.
        return {"CREATE INDEX results_verified ON results (verified, id)"};
    default:
        return {};
    }
}

// The work of step n that SQL alone cannot do, after its statements.
tStoreResult<void> StepWork(int step, QSqlDatabase& db) {
    switch (step) {
    case 6:
        // A replay proves its result now only when its seed follows from the result's name, start time and
        // settings and its key presses come at the times and pace a player's can; the verified results whose
        // replays do not lose their marks.
        return RecheckProofs(db);
    case 8:
        return IndexAllNames(db);
    default:
        return {};
    }
}

tStoreResult<void> Run(QSqlQuery& query, const QString& statement) {
    if (!query.exec(statement)) {
        return tStoreFailure{"The schema could not be set up: " + query.lastError().text()};
    }
    return {};
}

tStoreResult<void> TakeSteps(QSqlDatabase& db, bool postgres) {
    QSqlQuery query(db);
    if (postgres) {
        if (tStoreResult<void> locked = Run(query, kMigrationLock); !locked) {
            return locked;
        }
    }
    // Looked for rather than created "IF NOT EXISTS", which PostgreSQL answers with a NOTICE on every start
    // and every moderation command; the lock or the write transaction keeps another server from making it
    // in between. to_regclass reads the table's name as the statements do, along the search path.
    if (tStoreResult<void> ran = Run(query, postgres ? kVersionTableKnownPg : kVersionTableKnownSqlite);
        !ran) {
        return ran;
    }
    const bool known = query.next() && query.value(0).toBool();
    if (!known) {
        if (tStoreResult<void> made = Run(query, "CREATE TABLE schema_version (version INTEGER NOT NULL)");
            !made) {
            return made;
        }
    }
    if (tStoreResult<void> ran = Run(query, "SELECT MAX(version) FROM schema_version"); !ran) {
        return ran;
    }
    const int current = query.next() ? query.value(0).toInt() : 0;
    if (current > kSchemaVersion) {
        return tStoreFailure{
            QString("The database has schema version %1; this server knows versions up to %2.")
                .arg(current)
                .arg(kSchemaVersion)};
    }
    const QString keyColumn =
        postgres ? "BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY" : "INTEGER PRIMARY KEY AUTOINCREMENT";
    const QString bytesType = postgres ? "BYTEA" : "BLOB";
    for (int step = current + 1; step <= kSchemaVersion; ++step) {
        for (const QString& statement : StepStatements(step, postgres)) {
            if (tStoreResult<void> ran =
                    Run(query, QString(statement).replace("{key}", keyColumn).replace("{bytes}", bytesType));
                !ran) {
                return ran;
            }
        }
        if (tStoreResult<void> worked = StepWork(step, db); !worked) {
            return worked;
        }
        QSqlQuery record(db);
        record.prepare("INSERT INTO schema_version (version) VALUES (?)");
        record.addBindValue(step);
        if (!record.exec()) {
            return tStoreFailure{"The schema version could not be recorded: " + record.lastError().text()};
        }
    }
    return {};
}

} // namespace

QString ResultColumns(const QString& suffix, const QString& separator) {
    QStringList columns;
    for (const tResultFieldSpec& f : kResultFields) {
        columns += Column(f) + suffix;
    }
    return columns.join(separator);
}

QString LoggedColumns() {
    QString columns = "game_type, difficulty";
    for (const tResultField field : kLoggedFields) {
        columns += ", " + Column(SpecOf(field));
    }
    return columns;
}

tStoreResult<void> MigrateSchema(QSqlDatabase& db, bool postgres) {
    QSqlQuery begin(db);
    // IMMEDIATE takes SQLite's write lock at once, so two servers on one file cannot both read version 0.
    if (tStoreResult<void> begun = Run(begin, postgres ? "BEGIN" : "BEGIN IMMEDIATE"); !begun) {
        return begun;
    }
    const tStoreResult<void> done = TakeSteps(db, postgres);
    QSqlQuery end(db);
    if (!end.exec(done ? "COMMIT" : "ROLLBACK") && done) {
        return tStoreFailure{"The schema could not be committed: " + end.lastError().text()};
    }
    return done;
}
