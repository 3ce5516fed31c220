// SPDX-License-Identifier: GPL-3.0-or-later
// The score server as the game meets it, once on SQLite and once on a throwaway PostgreSQL cluster.

#include "uHttpGet.h"
#include "uPgCluster.h"
#include "uRawClient.h"
#include "uScoresCommand.h"
#include "uServerProcess.h"

#include "bench/AutoPlayer.h"
#include "bench/ScriptedGame.h"
#include "core/uGameSeed.h"
#include "core/uPressPace.h"
#include "core/uRules.h"
#include "core/uStatText.h"
#include "platform/uCodePage.h"
#include "server/store/uDatabaseTarget.h"
#include "server/store/uScoreDatabase.h"
#include "storage/uHSEntry.h"
#include "storage/uHSUpload.h"
#include "storage/uReplayFile.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>

namespace {

// A game started at level 1 that reached its level as the difficulty's figures per level say.
tResultRecord Result(const std::string& name, int32_t level, int32_t score,
                     const std::string& start = "07.03.05 21:15:00", int difficulty = 1) {
    const int figures = (level - 1) * kDifficulties[static_cast<size_t>(difficulty)].FiguresPerLevel + 16;
    return {
        {start, "4:02", "1", "2", std::to_string(figures) + " [23,8/m]", "31 [7,7/m]"}, name, level, score};
}

std::string Cp1251(const char* utf8) {
    return ToCodePage(QString::fromUtf8(utf8));
}

// A game of Standart : Normal that the scripted player steers for a while and then lets end by its rules.
tGameModel PlayedGame(uint32_t seed, const std::string& name = "Ann") {
    tTimedGame game({0, 1, 3, 4}, name, "07.03.05 21:" + std::to_string(10 + seed % 50) + ":00");
    std::mt19937 random(seed);
    PlayGame(game, tPlayStyle::Slide, 40, random);
    EndGame(game);
    return game.Game();
}

// The data string and the replay in base64url, without padding unless asked for.
std::string UploadPath(const tResultRecord& result, const std::string& replay, bool padded = false) {
    std::string path =
        "index.php?tab=hscore&data=" + PercentEncodeAll(::UploadData("Standart", "Normal", result));
    if (!replay.empty()) {
        const auto options = padded ? QByteArray::Base64UrlEncoding
                                    : QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals;
        path += "&replay=" +
                QByteArray::fromStdString(replay).toBase64(options).replace("=", "%3D").toStdString();
    }
    return path;
}

class ScoreServerSuite : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        ASSERT_TRUE(Dir.isValid());
        QString target = Dir.filePath("scores.sqlite");
        if (std::string_view(GetParam()) == "postgresql") {
            if (tPgCluster::BinDir().isEmpty()) {
                GTEST_SKIP() << "PostgreSQL is not installed (bash tools/setup.sh installs it)";
            }
            QString problem;
            ASSERT_TRUE(Cluster.Start(problem)) << problem.toStdString();
            target = Cluster.Address();
        }
        QString problem;
        ASSERT_TRUE(Server.Start(Dir.path(), ServerArguments(target), problem)) << problem.toStdString();
        Address = target;
        Target = *ParseDatabaseTarget(target);
    }
    static QStringList ServerArguments(const QString& target) {
        return {"--database", target, "--uploads-per-minute", "100000", "--upload-burst", "100000"};
    }

    // What the upload button opens, sent to this server instead of the configured one.
    tHttpReply Upload(std::string_view gameType, std::string_view difficulty, const tResultRecord& entry) {
        const std::string address = UploadAddress(gameType, difficulty, entry);
        return Get(address.substr(address.find("index.php")));
    }
    tHttpReply UploadData(const std::string& data) {
        return Get("index.php?tab=hscore&data=" + PercentEncodeAll(data));
    }
    tHttpReply Get(const std::string& path) {
        return HttpGet(Server.Base().toUtf8() + QByteArray::fromStdString(path));
    }
    int64_t StoredRows() {
        tScoreDatabase db(Target, "test");
        const tStoreResult<void> opened = db.Open();
        EXPECT_TRUE(opened) << opened.Problem().toStdString();
        const tStoreResult<int64_t> count = db.Results().Count();
        return count ? *count : -1;
    }
    QJsonArray JsonResults(const std::string& table) {
        return QJsonDocument::fromJson(Get("scores/" + table + ".json").Body).object()["results"].toArray();
    }
    tCommandOutput Command(const QStringList& arguments) {
        return RunScoresCommand(QStringList{"--database", Address} + arguments);
    }

    QTemporaryDir Dir;
    tPgCluster Cluster;
    tServerProcess Server;
    QString Address;
    tDatabaseTarget Target;
};

TEST_P(ScoreServerSuite, TheGamesUploadsAreTakenOnceRankedAndShownOnThePageAndInTheJson) {
    const tResultRecord anya = Result(Cp1251("Аня"), 7, 12345);
    const tResultRecord boris = Result(Cp1251("Борис"), 5, 12345);
    const tResultRecord bar = Result("a|b", 3, 500, "01.01.05 00:00:00");

    tHttpReply reply = Upload("Standart", "Normal", anya);
    EXPECT_EQ(reply.Status, 200);
    EXPECT_TRUE(reply.Body.contains("was taken and stands at rank 1")) << reply.Body.toStdString();
    EXPECT_TRUE(reply.Body.contains("Аня"));
    // Same score, lower level: ranks above.
    EXPECT_TRUE(Upload("Standart", "Normal", boris).Body.contains("at rank 1"));
    EXPECT_TRUE(Upload("Standart", "Normal", bar).Body.contains("at rank 3"));
    EXPECT_TRUE(Upload("Extended", "Impossible", Result("a|b", 3, 500, "01.01.05 00:00:00", 3))
                    .Body.contains("at rank 1"));
    reply = Upload("Standart", "Normal", anya);
    EXPECT_EQ(reply.Status, 200);
    EXPECT_TRUE(reply.Body.contains("was already stored and stands at rank 2")) << reply.Body.toStdString();
    EXPECT_EQ(StoredRows(), 4);
    // A second server on the same database finds what the first one stored.
    tServerProcess second;
    QString problem;
    ASSERT_TRUE(second.Start(Dir.path(), ServerArguments(Address), problem)) << problem.toStdString();
    const std::string address = UploadAddress("Standart", "Normal", boris);
    reply = HttpGet(second.Base().toUtf8() +
                    QByteArray::fromStdString(address.substr(address.find("index.php"))));
    EXPECT_TRUE(reply.Body.contains("was already stored and stands at rank 1")) << reply.Body.toStdString();
    EXPECT_EQ(StoredRows(), 4);

    const QByteArray page = Get("scores/Standart/Normal").Body;
    const qsizetype borisAt = page.indexOf("Борис"), anyaAt = page.indexOf("Аня"),
                    barAt = page.indexOf("a|b");
    EXPECT_TRUE(borisAt > 0 && borisAt < anyaAt && anyaAt < barAt) << page.toStdString();
    EXPECT_TRUE(page.contains("<td>2005-03-07 21:15:00</td>"));

    const QJsonArray results = JsonResults("Standart/Normal");
    ASSERT_EQ(results.size(), 3);
    EXPECT_EQ(results[0]["name"].toString(), "Борис");
    EXPECT_EQ(results[1]["name"].toString(), "Аня");
    EXPECT_EQ(results[1]["level"].toInt(), 7);
    EXPECT_EQ(results[1]["score"].toInt(), 12345);
    EXPECT_EQ(results[1]["figures"].toString(), "256 [23,8/m]");
    EXPECT_EQ(results[2]["name"].toString(), "a|b");
    EXPECT_EQ(JsonResults("Extended/Impossible").size(), 1);
    EXPECT_TRUE(
        Get("").Body.contains("href=\"/scores/Extended/Impossible\">Extended : Impossible</a> (1 result,"));
}

TEST_P(ScoreServerSuite, AnyUploadThatIsNotTheGamesOwnIsRefusedWithTheReasonAndNothingIsStored) {
    const tResultRecord good = Result("Ann", 7, 12345);
    std::string tampered = ::UploadData("Standart", "Normal", good);
    tampered.back() = tampered.back() == '0' ? '1' : '0';
    std::string changedScore = ::UploadData("Standart", "Normal", good);
    changedScore.replace(changedScore.find("|12345|"), 7, "|99999|");
    std::string wordLevel = ::UploadData("Standart", "Normal", good);
    wordLevel.replace(wordLevel.find("|7|"), 3, "|7a|");

    // Forged with a digest of its own: the most a score can be, nothing played, started in 2069, the last
    // year two digits can name.
    const std::string forged = ::UploadData(
        "Standart", "Normal",
        {{"01.01.69 12:00:00", "0:00", "1", "0", "0 [0,0/m]", "0 [0,0/m]"}, "Ann", 1, 2147483647});

    auto with = [&](auto change) {
        tResultRecord e = good;
        change(e);
        return ::UploadData("Standart", "Normal", e);
    };
    const std::vector<std::pair<std::string, const char*>> refused{
        {tampered, "digest"},
        {changedScore, "digest"},
        {wordLevel, "level"},
        {"64|Standart|Normal|Ann|7|12345", "thirteen fields"},
        {"63" + ::UploadData("Standart", "Normal", good).substr(2), "build"},
        {::UploadData("Tetris", "Normal", good), "game type"},
        {::UploadData("Standart", "Insane", good), "difficulty"},
        {with([](tResultRecord& e) { e.Score = -5; }), "score"},
        {with([](tResultRecord& e) { e.Level = 0; }), "level"},
        {with([](tResultRecord& e) { e.StartLevel = "21"; }), "start level"},
        {with([](tResultRecord& e) { e.StartLevel = "03"; }), "start level"},
        {with([](tResultRecord& e) { e.BrokenLines = "21"; }), "broken lines"},
        {with([](tResultRecord& e) { e.StartTime = "32.01.05 10:00:00"; }), "start time"},
        {with([](tResultRecord& e) { e.StartTime = "00.00.00 00:00:00"; }), "start time"},
        {with([](tResultRecord& e) { e.PlayTime = "4:60"; }), "play time"},
        {with([](tResultRecord& e) { e.Figures = "96 [23,8]"; }), "figures"},
        {with([](tResultRecord& e) { e.Cleared = "31"; }), "cleared"},
        {with([](tResultRecord& e) { e.Name = ""; }), "name is empty"},
        {with([](tResultRecord& e) { e.Name = "a\tb"; }), "control character"},
        {with([](tResultRecord& e) { e.Name = "\x98"; }), "Windows-1251"},
        {with([](tResultRecord& e) { e.Name = std::string(300, 'x'); }), "longer than"},
        {with([](tResultRecord& e) { e.Level = 8; }),
         "does not follow from the start level 1 and 256 figures"},
        {with([](tResultRecord& e) { e.PlayTime = "0:59"; }), "play time 0:59 is shorter"},
        {forged, "The score 2147483647 is more than 0 figures and 0 cleared rows can earn"},
        {forged, "The start time 01.01.69 12:00:00 lies in the future."},
    };
    for (const auto& [data, reason] : refused) {
        const tHttpReply reply = UploadData(data);
        EXPECT_EQ(reply.Status, 400) << data;
        EXPECT_TRUE(reply.Body.contains(reason) && reply.Body.contains("Nothing was stored"))
            << data << " -> " << reply.Body.toStdString();
    }
    EXPECT_EQ(
        Get("index.php?tab=scores&data=" + PercentEncodeAll(::UploadData("Standart", "Normal", good))).Status,
        400);
    EXPECT_EQ(Get("index.php?tab=hscore").Status, 400);
    EXPECT_EQ(Get("index.php?tab=hscore&data=" + std::string(70000, 'A')).Status, 414);
    EXPECT_EQ(Get("scores/Standart/Insane").Status, 404);
    EXPECT_EQ(StoredRows(), 0);
    EXPECT_EQ(Upload("Standart", "Normal", good).Status, 200);
    EXPECT_EQ(StoredRows(), 1);
}

TEST_P(ScoreServerSuite, NamesWithMarkupOrSqlAreStoredAsSentAndShownAsText) {
    const std::vector<std::string> names{"<script>alert(1)</script>", "Robert'); DROP TABLE results;--",
                                         "a&data=b%25c", "\"quoted\" 'single'"};
    for (size_t i = 0; i < names.size(); ++i) {
        const tHttpReply reply = Upload(
            "Standart", "Easy", Result(names[i], 3, static_cast<int32_t>(100 - i), "07.03.05 21:15:00", 0));
        EXPECT_EQ(reply.Status, 200) << names[i];
        EXPECT_FALSE(reply.Body.contains("<script>"));
    }
    EXPECT_EQ(StoredRows(), 4);
    const QByteArray page = Get("scores/Standart/Easy").Body;
    EXPECT_FALSE(page.contains("<script>"));
    EXPECT_TRUE(page.contains("\">&lt;script&gt;alert(1)&lt;/script&gt;</a></td>"));
    EXPECT_TRUE(page.contains("\">&quot;quoted&quot; 'single'</a></td>"));
    const QJsonArray results = JsonResults("Standart/Easy");
    ASSERT_EQ(results.size(), 4);
    for (qsizetype i = 0; i < results.size(); ++i) {
        EXPECT_EQ(results[i]["name"].toString().toStdString(), names[static_cast<size_t>(i)]);
    }
}

TEST_P(ScoreServerSuite, ModeratorsFindAResultByNameHideItShowItAgainAndRemoveItAndTheLogSaysWhy) {
    const tResultRecord cheat = Result(Cp1251("Жулик"), 7, 17000);
    ASSERT_EQ(Upload("Standart", "Normal", cheat).Status, 200);
    ASSERT_EQ(Upload("Standart", "Normal", Result("Ann", 5, 9000)).Status, 200);
    ASSERT_EQ(Upload("Standart", "Normal", Result("Bob", 5, 8000)).Status, 200);
    ASSERT_EQ(Upload("Standart", "Hard", Result(Cp1251("Жулик"), 2, 100, "08.03.05 10:00:00", 2)).Status,
              200);

    tCommandOutput listed = Command({"list", "--name", "Жулик"});
    ASSERT_EQ(listed.ExitCode, 0) << listed.Err.toStdString();
    // Nothing on stderr, not even a NOTICE of PostgreSQL's about the schema.
    EXPECT_TRUE(listed.Err.isEmpty()) << listed.Err.toStdString();
    const QStringList lines = listed.Out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << listed.Out.toStdString();
    EXPECT_TRUE(lines[0].endsWith(": Standart Hard, level 2, score 100, started 08.03.05 10:00:00, shown"));
    EXPECT_TRUE(
        lines[1].endsWith(": Standart Normal, level 7, score 17000, started 07.03.05 21:15:00, shown"));
    const QString id = lines[1].section(':', 0, 0);

    tCommandOutput done = Command({"hide", id, "--reason", "17000 in seven levels"});
    EXPECT_EQ(done.ExitCode, 0);
    EXPECT_TRUE(done.Out.startsWith("Hid result " + id + " of Жулик (Standart Normal"))
        << done.Out.toStdString();
    EXPECT_FALSE(Get("scores/Standart/Normal").Body.contains("Жулик"));
    const QJsonArray closedUp = JsonResults("Standart/Normal");
    ASSERT_EQ(closedUp.size(), 2);
    EXPECT_EQ(closedUp[0]["name"].toString(), "Ann");
    EXPECT_EQ(closedUp[0]["rank"].toInt(), 1);
    EXPECT_TRUE(Get("").Body.contains(">Standart : Normal</a> (2 results"));
    EXPECT_TRUE(Upload("Standart", "Normal", Result("Bob", 5, 8000)).Body.contains("stands at rank 2"));
    EXPECT_TRUE(
        Upload("Standart", "Normal", cheat).Body.contains("was already stored and is hidden from the table"));
    EXPECT_TRUE(
        Command({"list", "--name", "Жулик"}).Out.contains("score 17000, started 07.03.05 21:15:00, hidden"));
    EXPECT_TRUE(Command({"hide", id}).Out.contains("is already hidden; nothing was changed"));

    done = Command({"unhide", id, "--reason", "a replay shows it"});
    EXPECT_EQ(done.ExitCode, 0);
    EXPECT_TRUE(done.Out.startsWith("Showed result " + id + " of Жулик")) << done.Out.toStdString();
    const QJsonArray shownAgain = JsonResults("Standart/Normal");
    ASSERT_EQ(shownAgain.size(), 3);
    EXPECT_EQ(shownAgain[0]["name"].toString(), "Жулик");
    EXPECT_TRUE(Get("").Body.contains(">Standart : Normal</a> (3 results"));

    done = Command({"remove", id, "--reason", "the replay was forged"});
    EXPECT_EQ(done.ExitCode, 0);
    EXPECT_TRUE(done.Out.startsWith("Removed result " + id)) << done.Out.toStdString();
    EXPECT_EQ(JsonResults("Standart/Normal").size(), 2);
    EXPECT_TRUE(Get("scores/Standart/Normal").Body.contains("results 1-2 of 2"));
    EXPECT_EQ(StoredRows(), 3);
    done = Command({"unhide", id});
    EXPECT_EQ(done.ExitCode, 1);
    EXPECT_TRUE(done.Err.contains("There is no result " + id + ".")) << done.Err.toStdString();

    tScoreDatabase db(Target, "log");
    const tStoreResult<void> opened = db.Open();
    ASSERT_TRUE(opened) << opened.Problem().toStdString();
    const auto log = db.Moderation().Log();
    ASSERT_TRUE(log) << log.Problem().toStdString();
    ASSERT_EQ(log->size(), 3u);
    const std::vector<std::pair<std::string, std::string>> expected{{"hide", "17000 in seven levels"},
                                                                    {"unhide", "a replay shows it"},
                                                                    {"remove", "the replay was forged"}};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ((*log)[i].Action, expected[i].first);
        EXPECT_EQ((*log)[i].Reason, expected[i].second);
        EXPECT_EQ((*log)[i].ResultId, id.toLongLong());
        EXPECT_GT((*log)[i].AtMs, 0);
    }

    // The log still knows whose the removed result was.
    const QStringList logged = Command({"log"}).Out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(logged.size(), 3) << logged.join('\n').toStdString();
    EXPECT_TRUE(logged[2].endsWith(" UTC remove result " + id +
                                   " of Жулик (Standart Normal, score 17000, started 07.03.05 21:15:00): the "
                                   "replay was forged"))
        << logged[2].toStdString();

    for (const QStringList& wrong :
         {QStringList{"list"}, QStringList{"log", id}, QStringList{"hide", "x"}, QStringList{"hide", id, id},
          QStringList{"ban", id}, QStringList{"--reason", "why"}}) {
        EXPECT_EQ(Command(wrong).ExitCode, 2) << wrong.join(' ').toStdString();
    }
    const QString missing = Dir.filePath("missing.sqlite");
    const tCommandOutput nowhere = RunScoresCommand({"--database", missing, "list", "--name", "Ann"});
    EXPECT_EQ(nowhere.ExitCode, 2);
    EXPECT_TRUE(nowhere.Err.contains("there is no SQLite file " + missing)) << nowhere.Err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(missing));
    const QString help = RunScoresCommand({"--help"}).Out;
    EXPECT_TRUE(help.contains("list --name NAME") && help.contains("remove ID") && help.contains("--reason"))
        << help.toStdString();
}

TEST_P(ScoreServerSuite, TablesArePagedAndEveryResultAndPlayerHasAnAddress) {
    // 250 results in rank order of their scores; Аня holds ranks 1 and 250, the first started in 1999.
    std::vector<tScoreRecord> stored;
    for (int n = 0; n < 250; ++n) {
        const std::string name = n == 0 || n == 249 ? Cp1251("Аня") : n == 1 ? ".." : "P" + std::to_string(n);
        tScoreRecord r{"Standart", "Hard",
                       Result(name, 3, 1000 - n, n == 0 ? "31.12.99 23:59:59" : "07.03.05 21:15:00"), 0};
        r.StartMs = *StartTimeMs(r.Entry.StartTime);
        stored.push_back(r);
    }
    {
        tScoreDatabase db(Target, "fill");
        const tStoreResult<void> opened = db.Open();
        ASSERT_TRUE(opened) << opened.Problem().toStdString();
        const tStoreResult<void> filled = db.Results().StoreMany(stored);
        ASSERT_TRUE(filled) << filled.Problem().toStdString();
    }

    auto json = [&](const std::string& query) {
        return QJsonDocument::fromJson(Get("scores/Standart/Hard.json" + query).Body).object();
    };
    const QJsonObject first = json(""), last = json("?page=3");
    EXPECT_EQ(first["page"].toInt(), 1);
    EXPECT_EQ(first["results"].toArray().size(), 100);
    EXPECT_EQ(first["results"][0]["date"].toString(), "1999-12-31 23:59:59");
    EXPECT_EQ((std::vector<int>{last["page"].toInt(), last["pages"].toInt(), last["total"].toInt(),
                                static_cast<int>(last["results"].toArray().size()),
                                last["results"][0]["rank"].toInt(), last["results"][49]["rank"].toInt(),
                                last["results"][49]["score"].toInt()}),
              (std::vector<int>{3, 3, 250, 50, 201, 250, 751}));
    const QByteArray second = Get("scores/Standart/Hard?page=2").Body;
    EXPECT_TRUE(second.contains("results 101-200 of 250")) << second.toStdString();
    EXPECT_TRUE(second.contains("<a rel=\"prev\" href=\"/scores/Standart/Hard\">") &&
                second.contains("<a rel=\"next\" href=\"/scores/Standart/Hard?page=3\">"));
    EXPECT_TRUE(second.contains("<td class=\"n\"><a href=\"/results/"));
    const tHttpReply pastEnd = Get("scores/Standart/Hard?page=4");
    EXPECT_EQ(pastEnd.Status, 404);
    EXPECT_TRUE(pastEnd.Body.contains("href=\"/scores/Standart/Hard?page=3\""));
    for (const auto& [query, words] : std::vector<std::pair<const char*, const char*>>{
             {"?page=0", "There is no page 0 of this table; pages count from 1."},
             {"?page=-2", "There is no page -2 of this table"},
             {"?page=01", "pages count from 1, in digits"},
             {"?page=x", "pages count from 1, in digits"},
             {".json?page=4", "ends at page 3"}}) {
        const tHttpReply refused = Get(std::string("scores/Standart/Hard") + query);
        EXPECT_EQ(refused.Status, 404) << query;
        EXPECT_TRUE(refused.Body.contains(words)) << refused.Body.toStdString();
    }

    const QByteArray anya = Get("players/" + PercentEncodeAll(Cp1251("Аня"))).Body;
    EXPECT_TRUE(anya.contains("<h1>Stakkar player Аня</h1>") && anya.contains("2 results") &&
                anya.contains(">1</a></td>") && anya.contains(">250</a></td>") &&
                anya.contains("1999-12-31 23:59:59"))
        << anya.toStdString();
    EXPECT_TRUE(anya.contains("href=\"/scores/Standart/Hard?page=3\""));
    EXPECT_TRUE(Get("search?name=%D0%B0%D0%9D").Body.contains("<a href=\"/players/%C0%ED%FF\">Аня</a>"));
    EXPECT_TRUE(Get("search?name=.").Body.contains("<a href=\"/players/?name=..\">..</a>"));
    EXPECT_EQ(Get("players/?name=..").Status, 200);
    EXPECT_EQ(Get("players/Nobody").Status, 404);

    const int id = first["results"][0]["id"].toInt();
    const QByteArray result = Get("results/" + std::to_string(id)).Body;
    EXPECT_TRUE(result.contains("<th>Start time</th><td>1999-12-31 23:59:59</td>") &&
                result.contains("<th>Rank</th><td>1</td>"))
        << result.toStdString();
    for (const std::string& missing : {std::to_string(id + 1000), std::string("0"), std::string("x")}) {
        EXPECT_EQ(Get("results/" + missing).Status, 404) << missing;
    }
}

TEST_P(ScoreServerSuite, APlayedGamesReplayVerifiesItsResultWhichShowsItsWellAndGivesTheReplayBack) {
    const tGameModel game = PlayedGame(7);
    const tResultRecord result = ResultOf(game, "Ann");
    const std::string replay = EncodeReplay(game.Record());
    tHttpReply reply = Get(UploadPath(result, replay));
    EXPECT_EQ(reply.Status, 200) << reply.Body.toStdString();
    EXPECT_TRUE(reply.Body.contains("was taken and stands at rank 1") &&
                reply.Body.contains("It is verified"))
        << reply.Body.toStdString();

    // Every field as it came, and the same replay with a score one better: the digest fits, the replay not.
    tResultRecord forged = result;
    ++forged.Score;
    reply = Get(UploadPath(forged, replay));
    EXPECT_EQ(reply.Status, 400);
    EXPECT_TRUE(reply.Body.contains("The replay disagrees: score (its game gives " +
                                    QByteArray::number(result.Score) + ", the result says " +
                                    QByteArray::number(forged.Score) + ")."))
        << reply.Body.toStdString();
    EXPECT_TRUE(reply.Body.contains("Nothing was stored"));
    // Four million keys at one tick pack into a few KiB and would take the server a good part of a second.
    tGameRecord packed = game.Record();
    packed.Presses.assign(4000000, {1, ActionBit(tAction::MoveLeft)});
    const std::string packedReplay =
        QByteArray::fromStdString(EncodeReplay(packed))
            .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals)
            .toStdString();
    for (const auto& [value, reason] : std::vector<std::pair<std::string, const char*>>{
             {"AAAA", "The replay cannot be read: The file is no replay of this game."},
             {"*", "not written in base64url"},
             {packedReplay, "unpacks to more than 512 KiB"}}) {
        reply = Get(UploadPath(forged, "") + "&replay=" + value);
        EXPECT_EQ(reply.Status, 400);
        EXPECT_TRUE(reply.Body.contains(reason)) << reply.Body.toStdString();
    }
    EXPECT_EQ(StoredRows(), 1);

    const QJsonArray results = JsonResults("Standart/Normal");
    ASSERT_EQ(results.size(), 1);
    EXPECT_TRUE(results[0]["verified"].toBool());
    const QByteArray table = Get("scores/Standart/Normal").Body;
    EXPECT_TRUE(
        table.contains(QByteArray::number(result.Score) + "<span class=\"verified\" title=\"Verified:") &&
        table.contains("<p class=\"legend\">"))
        << table.toStdString();
    const std::string id = std::to_string(results[0]["id"].toInt());
    const QByteArray page = Get("results/" + id).Body;
    int blocks = 0;
    int ender = 0;
    for (int row = 1; row <= kWellRows; ++row) {
        for (int column = 1; column <= kWellColumns; ++column) {
            blocks += game.Well().At(column, row) != 0 ? 1 : 0;
            ender += game.FigureCovers(column, row) ? 1 : 0;
        }
    }
    EXPECT_GT(blocks, 0);
    EXPECT_EQ(page.count("<rect class=\"block\"") + page.count("<rect class=\"ender block\""), blocks);
    EXPECT_EQ(page.count("<rect class=\"ender"), ender);
    EXPECT_TRUE(page.contains("<svg id=\"well\"") && page.contains("href=\"/results/" + id + "/replay.rep\""))
        << page.toStdString();

    const std::string request =
        "/results/" + id + "/replay.rep HTTP/1.1\r\nHost: test\r\nConnection: close\r\n\r\n";
    const std::string download = Exchange(Server.Port(), "GET " + request);
    const std::string head = Exchange(Server.Port(), "HEAD " + request);
    const size_t body = download.find("\r\n\r\n") + 4;
    EXPECT_EQ(download.substr(body), replay);
    for (const std::string& answer : {download, head}) {
        EXPECT_TRUE(answer.starts_with("HTTP/1.1 200") &&
                    answer.find("\r\nContent-Type: application/octet-stream\r\n") < body &&
                    answer.find("\r\nContent-Disposition: attachment; filename=\"stakkar-result-" + id +
                                ".rep\"\r\n") < body)
            << answer.substr(0, body);
        EXPECT_EQ(HeaderNumber(answer, "Content-Length"), static_cast<long>(replay.size()));
    }
    EXPECT_EQ(head.find("\r\n\r\n") + 4, head.size());

    // A game without replays: stored unverified, and verified once its replay comes after it. The replay is
    // padded this time, and the name holds what a page template would take for its places.
    tGameModel other = PlayedGame(8, "%2 %8");
    for (uint32_t seed = 9; EncodeReplay(other.Record()).size() % 3 == 0; ++seed) {
        other = PlayedGame(seed, "%2 %8");
    }
    const tResultRecord unproved = ResultOf(other, "%2 %8");
    auto listed = [&] {
        for (const QJsonValue& r : JsonResults("Standart/Normal")) {
            if (r["name"] == "%2 %8") {
                return r.toObject();
            }
        }
        return QJsonObject();
    };
    reply = Get(UploadPath(unproved, ""));
    EXPECT_TRUE(reply.Body.contains("The result of %2 %8, score") &&
                reply.Body.contains("came without the replay of its game and is not verified"))
        << reply.Body.toStdString();
    EXPECT_FALSE(listed()["verified"].toBool());
    EXPECT_EQ(Get("results/" + std::to_string(listed()["id"].toInt()) + "/replay.rep").Status, 404);
    reply = Get(UploadPath(unproved, EncodeReplay(other.Record()), true));
    EXPECT_TRUE(reply.Body.contains("was already stored") && reply.Body.contains("It is verified"))
        << reply.Body.toStdString();
    EXPECT_TRUE(listed()["verified"].toBool());

    // A replay of the format before times is no proof: stored unverified, as without a replay.
    const tGameModel fourth = PlayedGame(21, "Cid");
    tGameRecord untimed = fourth.Record();
    untimed.Timed = false;
    for (tRecordedPress& press : untimed.Presses) {
        press.TimeMs = 0;
    }
    reply = Get(UploadPath(ResultOf(fourth, "Cid"), EncodeReplay(untimed)));
    EXPECT_EQ(reply.Status, 200);
    EXPECT_TRUE(reply.Body.contains("replay of an older format") && reply.Body.contains("is not verified"))
        << reply.Body.toStdString();
    EXPECT_EQ(StoredRows(), 3);

    // A server that requires replays refuses a result without one, or with one of the older format, and takes
    // it with one.
    tServerProcess strict;
    QString problem;
    ASSERT_TRUE(strict.Start(Dir.path(), ServerArguments(Address) << "--require-replay", problem))
        << problem.toStdString();
    const tGameModel third = PlayedGame(20, "Bob");
    tGameRecord thirdUntimed = third.Record();
    thirdUntimed.Timed = false;
    const QByteArray strictBase = strict.Base().toUtf8();
    for (const auto& [sent, reason] : std::vector<std::pair<std::string, const char*>>{
             {"", "only with the replay of its game"},
             {EncodeReplay(thirdUntimed), "of an older format (1)"}}) {
        reply = HttpGet(strictBase + QByteArray::fromStdString(UploadPath(ResultOf(third, "Bob"), sent)));
        EXPECT_EQ(reply.Status, 403);
        EXPECT_TRUE(reply.Body.contains(reason) && reply.Body.contains("Nothing was stored"))
            << reply.Body.toStdString();
    }
    EXPECT_EQ(StoredRows(), 3);
    reply = HttpGet(strictBase + QByteArray::fromStdString(
                                     UploadPath(ResultOf(third, "Bob"), EncodeReplay(third.Record()))));
    EXPECT_EQ(reply.Status, 200) << reply.Body.toStdString();
    EXPECT_EQ(StoredRows(), 4);
}

TEST_P(ScoreServerSuite, AReplayProvesOnlyTheGameItsPlayerPlayedAtItsStartAndPaceWithEveryFieldAsShown) {
    const tGameModel game = PlayedGame(11);
    const tResultRecord result = ResultOf(game, "Ann");
    const tGameRecord& played = game.Record();
    ASSERT_EQ(Get(UploadPath(result, EncodeReplay(played))).Status, 200);
    ASSERT_GE(played.Presses.size(), 2u);
    const tRecordedPress first = played.Presses[0];

    // Each a copy of Ann's replay or result with one thing changed, the data signed as the game signs it.
    tResultRecord later = result;
    later.StartTime.back() = '1';
    tGameRecord retimed = played;
    retimed.StartTime = later.StartTime;
    tResultRecord bob = result;
    bob.Name = "Bob";
    tResultRecord shouted = result;
    shouted.Name = "ANN";
    tGameRecord turnedBack = played;
    turnedBack.Presses.insert(
        turnedBack.Presses.begin(),
        {first.Tick, ActionBit(tAction::RotateRight) | ActionBit(tAction::RotateLeft), first.TimeMs});
    tGameRecord chosen = played;
    ++chosen.Seed;
    tGameRecord fast = played;
    fast.Presses.insert(fast.Presses.begin() + 1, {first.Tick, first.Actions, first.TimeMs + 1});
    const double seconds = static_cast<double>(game.Counters().PlayTimeMs / 1000);
    ASSERT_GE(seconds, 3);
    auto forged = [&](auto change) {
        tResultRecord e = result;
        change(e);
        return e;
    };
    const tResultRecord longer = forged([&](tResultRecord& e) { e.PlayTime = TimeText(seconds + 2); });
    const tResultRecord shorter = forged([&](tResultRecord& e) { e.PlayTime = TimeText(seconds - 2); });
    const tResultRecord rate =
        forged([](tResultRecord& e) { e.Figures.replace(e.Figures.find(','), 1, "9,"); });

    struct tAttack {
        tResultRecord Claimed;
        const tGameRecord& Sent;
        int Status;
        std::string Reason;
    };
    const std::string seedIs = "The replay's game is not this result's: its seed is ";
    for (const tAttack& attack : std::vector<tAttack>{
             {later, retimed, 400, seedIs + std::to_string(played.Seed)},
             {bob, played, 400, seedIs + std::to_string(played.Seed)},
             {bob, turnedBack, 400, seedIs},
             {shouted, turnedBack, 409, "one game proves one result"},
             {result, chosen, 400, seedIs + std::to_string(chosen.Seed)},
             {longer, played, 400,
              "The replay disagrees: play time (its game gives " + result.PlayTime + ", the result says " +
                  longer.PlayTime + ")."},
             {shorter, played, 400, "The replay disagrees: play time (its game gives " + result.PlayTime},
             {rate, played, 400,
              "The replay disagrees: figures (its game gives " + result.Figures + ", the result says " +
                  rate.Figures + ")."},
             {result, fast, 400, "The replay is faster than a player: " + PressMoment(2, first.TimeMs + 1)},
         }) {
        const tHttpReply reply = Get(UploadPath(attack.Claimed, EncodeReplay(attack.Sent)));
        EXPECT_EQ(reply.Status, attack.Status) << attack.Reason;
        EXPECT_TRUE(reply.Body.contains(QByteArray::fromStdString(attack.Reason)))
            << reply.Body.toStdString();
    }

    // A program's game of figure after figure in two ticks, steered and dropped a key repeat apart: its
    // score would rank first, but no person's fingers change keys that fast.
    const std::string start = "07.03.05 22:00:00";
    tGameModel program;
    program.NewGame(played.Settings, GameSeed("cid", start, played.Settings), start);
    program.Tick();
    int64_t at = 0;
    while (program.Playing()) {
        // After a few hundred figures it drops each where it enters, so that the game ends.
        const tPlacement place =
            program.Counters().Figures > 300
                ? tPlacement{}
                : ChoosePlacement(program.Well(), program.Current(), program.FigX(), program.FigY());
        for (int turn = 0; turn < place.turns; ++turn) {
            program.Press(ActionBit(tAction::RotateRight), at += kFastestRepeatMs);
        }
        for (int step = 0; step < std::abs(place.shift); ++step) {
            program.Press(ActionBit(place.shift < 0 ? tAction::MoveLeft : tAction::MoveRight),
                          at += kFastestRepeatMs);
        }
        if (!program.Press(ActionBit(tAction::Drop), at += kFastestRepeatMs).DropShown) {
            program.Tick();
        }
        program.FinishDrop();
    }
    ASSERT_LE(program.Record().Ticks, 3);
    ASSERT_GT(program.Counters().Score, result.Score);
    const tHttpReply programs = Get(UploadPath(ResultOf(program, "Cid"), EncodeReplay(program.Record())));
    EXPECT_EQ(programs.Status, 400);
    EXPECT_TRUE(programs.Body.contains("taps a second")) << programs.Body.toStdString();

    const QJsonArray results = JsonResults("Standart/Normal");
    ASSERT_EQ(results.size(), 1);
    EXPECT_EQ(results[0]["name"], "Ann");
    EXPECT_EQ(results[0]["rank"], 1);
    EXPECT_TRUE(results[0]["verified"].toBool());
}

TEST_P(ScoreServerSuite, OneGameSentToTwoProcessesAtOnceUnderTwoSpellingsOfItsNameIsTakenOnceAndRefusedOnce) {
    tServerProcess second;
    QString problem;
    ASSERT_TRUE(second.Start(Dir.path(), ServerArguments(Address), problem)) << problem.toStdString();
    constexpr uint32_t kRounds = 10;
    for (uint32_t round = 0; round < kRounds; ++round) {
        // The seed follows the name in small letters, so that both spellings played this one game.
        const tGameModel game = PlayedGame(100 + round);
        const std::string replay = EncodeReplay(game.Record());
        tRawClient clients[2];
        const std::string paths[2] = {UploadPath(ResultOf(game, "Ann"), replay),
                                      UploadPath(ResultOf(game, "ANN"), replay)};
        const quint16 ports[2] = {Server.Port(), second.Port()};
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(clients[i].Connect(ports[i]));
            ASSERT_TRUE(clients[i].Send("GET /" + paths[i] +
                                        " HTTP/1.1\r\nHost: scores.test\r\nConnection: close\r\n\r\n"));
        }
        std::multiset<std::string> statuses;
        for (tRawClient& client : clients) {
            const std::string answer = client.ReadUntilClosed(std::chrono::seconds(30));
            statuses.insert(answer.substr(0, answer.find("\r\n")));
            EXPECT_EQ(answer.find("Database unavailable"), std::string::npos) << answer;
        }
        EXPECT_EQ(statuses, (std::multiset<std::string>{"HTTP/1.1 200 OK", "HTTP/1.1 409 Conflict"}))
            << "round " << round;
    }
    EXPECT_EQ(StoredRows(), kRounds);
}

INSTANTIATE_TEST_SUITE_P(Databases, ScoreServerSuite, ::testing::Values("sqlite", "postgresql"),
                         [](const auto& param) { return std::string(param.param); });

} // namespace
