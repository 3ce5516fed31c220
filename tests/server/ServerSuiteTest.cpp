// SPDX-License-Identifier: GPL-3.0-or-later
// The score server as the game meets it, once on SQLite and once on a throwaway PostgreSQL cluster.

#include "uHttpGet.h"
#include "uPgCluster.h"
#include "uServerProcess.h"

#include "platform/uCodePage.h"
#include "server/uDatabaseTarget.h"
#include "server/uScoreDatabase.h"
#include "storage/uHSUpload.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

tHS Result(const std::string& name, int32_t level, int32_t score,
           const std::string& start = "07.03.05 21:15:00") {
    return {name, level, score, 0, start, "4:02", "3", "2", "96 [23,8/m]", "31 [7,7/m]"};
}

std::string Cp1251(const char* utf8) {
    return ToCodePage(QString::fromUtf8(utf8));
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
        Target = *ParseDatabaseTarget(target, problem);
    }
    static QStringList ServerArguments(const QString& target) {
        return {"--database", target, "--uploads-per-minute", "100000"};
    }

    // What the upload button opens, sent to this server instead of the configured one.
    tHttpReply Upload(std::string_view gameType, std::string_view difficulty, const tHS& entry) {
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
        QString problem;
        EXPECT_TRUE(db.Open(problem)) << problem.toStdString();
        return db.Count(problem).value_or(-1);
    }
    QJsonArray JsonResults(const std::string& table) {
        return QJsonDocument::fromJson(Get("scores/" + table + ".json").Body).object()["results"].toArray();
    }

    QTemporaryDir Dir;
    tPgCluster Cluster;
    tServerProcess Server;
    QString Address;
    tDatabaseTarget Target;
};

TEST_P(ScoreServerSuite, TheGamesUploadsAreTakenOnceRankedAndShownOnThePageAndInTheJson) {
    const tHS anya = Result(Cp1251("Аня"), 7, 12345);
    const tHS boris = Result(Cp1251("Борис"), 5, 12345);
    const tHS bar = Result("a|b", 3, 500, "01.01.05 00:00:00");

    tHttpReply reply = Upload("Standart", "Normal", anya);
    EXPECT_EQ(reply.Status, 200);
    EXPECT_TRUE(reply.Body.contains("was taken and stands at rank 1")) << reply.Body.toStdString();
    EXPECT_TRUE(reply.Body.contains("Аня"));
    // Same score, lower level: ranks above.
    EXPECT_TRUE(Upload("Standart", "Normal", boris).Body.contains("at rank 1"));
    EXPECT_TRUE(Upload("Standart", "Normal", bar).Body.contains("at rank 3"));
    EXPECT_TRUE(Upload("Extended", "Impossible", bar).Body.contains("at rank 1"));
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
    EXPECT_EQ(results[1]["figures"].toString(), "96 [23,8/m]");
    EXPECT_EQ(results[2]["name"].toString(), "a|b");
    EXPECT_EQ(JsonResults("Extended/Impossible").size(), 1);
    EXPECT_TRUE(
        Get("").Body.contains("href=\"/scores/Extended/Impossible\">Extended : Impossible</a> (1 results"));
}

TEST_P(ScoreServerSuite, AnyUploadThatIsNotTheGamesOwnIsRefusedWithTheReasonAndNothingIsStored) {
    const tHS good = Result("Ann", 7, 12345);
    std::string tampered = ::UploadData("Standart", "Normal", good);
    tampered.back() = tampered.back() == '0' ? '1' : '0';
    std::string changedScore = ::UploadData("Standart", "Normal", good);
    changedScore.replace(changedScore.find("|12345|"), 7, "|99999|");
    std::string wordLevel = ::UploadData("Standart", "Normal", good);
    wordLevel.replace(wordLevel.find("|7|"), 3, "|7a|");

    auto with = [&](auto change) {
        tHS e = good;
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
        {with([](tHS& e) { e.Score = -5; }), "score"},
        {with([](tHS& e) { e.Level = 2; }), "level"},
        {with([](tHS& e) { e.StartLevel = "21"; }), "start level"},
        {with([](tHS& e) { e.StartLevel = "03"; }), "start level"},
        {with([](tHS& e) { e.BrokenLines = "21"; }), "broken lines"},
        {with([](tHS& e) { e.StartTime = "32.01.05 10:00:00"; }), "start time"},
        {with([](tHS& e) { e.StartTime = "00.00.00 00:00:00"; }), "start time"},
        {with([](tHS& e) { e.PlayTime = "4:60"; }), "play time"},
        {with([](tHS& e) { e.Figures = "96 [23,8]"; }), "figures"},
        {with([](tHS& e) { e.Cleared = "31"; }), "cleared"},
        {with([](tHS& e) { e.Name = ""; }), "name is empty"},
        {with([](tHS& e) { e.Name = "a\tb"; }), "control character"},
        {with([](tHS& e) { e.Name = "\x98"; }), "Windows-1251"},
        {with([](tHS& e) { e.Name = std::string(300, 'x'); }), "longer than"},
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
        const tHttpReply reply =
            Upload("Standart", "Easy", Result(names[i], 3, static_cast<int32_t>(100 - i)));
        EXPECT_EQ(reply.Status, 200) << names[i];
        EXPECT_FALSE(reply.Body.contains("<script>"));
    }
    EXPECT_EQ(StoredRows(), 4);
    const QByteArray page = Get("scores/Standart/Easy").Body;
    EXPECT_FALSE(page.contains("<script>"));
    EXPECT_TRUE(page.contains("<td>&lt;script&gt;alert(1)&lt;/script&gt;</td>"));
    EXPECT_TRUE(page.contains("<td>&quot;quoted&quot; 'single'</td>"));
    const QJsonArray results = JsonResults("Standart/Easy");
    ASSERT_EQ(results.size(), 4);
    for (qsizetype i = 0; i < results.size(); ++i) {
        EXPECT_EQ(results[i]["name"].toString().toStdString(), names[static_cast<size_t>(i)]);
    }
}

INSTANTIATE_TEST_SUITE_P(Databases, ScoreServerSuite, ::testing::Values("sqlite", "postgresql"),
                         [](const auto& param) { return std::string(param.param); });

} // namespace
