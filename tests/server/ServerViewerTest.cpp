// SPDX-License-Identifier: GPL-3.0-or-later
// A verified result's page plays its game in the browser with the game's own model: what the page shows at
// any moment is what the native model gives at that moment, cell by cell.

#include "uChromium.h"
#include "uHttpGet.h"
#include "uRawClient.h"
#include "uServerProcess.h"

#include "bench/ScriptedGame.h"
#include "core/uCellLook.h"
#include "core/uReplayCursor.h"
#include "storage/uHSUpload.h"
#include "storage/uReplayFile.h"

#include <QJsonArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

#ifdef STAKKAR_VIEWER
constexpr bool kViewerBuilt = true;
#else
constexpr bool kViewerBuilt = false;
#endif

struct tPlayedGame {
    tGameSettings Settings;
    std::string Name;
    tGameRecord Record;
    tResultRecord Result;
};

tPlayedGame Play(const tGameSettings& settings, const std::string& name, int figures, uint32_t seed) {
    tTimedGame game(settings, name);
    std::mt19937 random(seed);
    PlayGame(game, tPlayStyle::Slide, figures, random);
    EndGame(game);
    return {settings, name, game.Record(), ResultOf(game.Game(), name)};
}

std::string UploadPath(const tPlayedGame& played) {
    const std::string data =
        UploadData(kGameTypes[static_cast<size_t>(played.Settings.GameType)].Name,
                   kDifficulties[static_cast<size_t>(played.Settings.Difficulty)].Name, played.Result);
    return "index.php?tab=hscore&data=" + PercentEncodeAll(data) + "&replay=" +
           QByteArray::fromStdString(EncodeReplay(played.Record))
               .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals)
               .toStdString();
}

// The looks of the well's cells, row by row from the top, as the viewer writes them.
std::string Looks(const tGameModel& game) {
    std::string looks;
    for (int row = 1; row <= kWellRows; ++row) {
        for (int column = 1; column <= kWellColumns; ++column) {
            looks += static_cast<char>('0' + static_cast<int>(CellLook(game, true, column, row)));
        }
    }
    return looks;
}

std::string NativeAt(const tGameRecord& record, int64_t timeMs) {
    tGameModel game;
    tReplayCursor cursor(game, record);
    cursor.Start();
    cursor.AdvanceTo(timeMs);
    return Looks(game);
}

QString Text(tChromium& chromium, const char* id) {
    return chromium.Eval(QString("document.getElementById('%1').textContent").arg(id)).toString();
}

// The value of a row of the page's own table of the result.
QString Field(tChromium& chromium, const char* label) {
    return chromium
        .Eval(
            QString("[...document.querySelectorAll('#result tr')].find(r => r.cells[0].textContent === '%1')"
                    "?.cells[1].textContent")
                .arg(label))
        .toString();
}

} // namespace

TEST(ScoreServerViewer, TheResultPagePlaysTheStoredGameCellForCellAsTheNativeModelDoes) {
    if (!kViewerBuilt) {
        GTEST_SKIP() << "the server is built without the viewer (emscripten: bash tools/setup.sh test)";
    }
    if (!QFile::exists(tChromium::kBinary)) {
        GTEST_SKIP() << "Chromium is not installed (bash tools/setup.sh test installs it)";
    }
    // Both game types, every difficulty, start levels from the first to the fastest and broken lines, and a
    // game of ten minutes.
    std::vector<tPlayedGame> games{
        Play({0, 1, 3, 4}, "Ann", 60, 1),
        Play({1, 0, 1, 0}, "Boris", 60, 2),
        Play({1, 2, 5, 8}, "Clara", 40, 3),
        Play({0, 3, kDifficulties[3].MaxStartLevel, 2}, "Dmitri", 40, 4),
    };
    {
        tTimedGame game({0, 0, 1, 0}, "Long");
        std::mt19937 random(5);
        while (game.Game().Playing() && game.Game().Counters().PlayTimeMs < 10 * 60 * 1000) {
            PlayGame(game, tPlayStyle::Slide, game.Game().Counters().Figures + 100, random);
        }
        EndGame(game);
        games.push_back({{0, 0, 1, 0}, "Long", game.Record(), ResultOf(game.Game(), "Long")});
        ASSERT_GE(game.Game().Counters().PlayTimeMs, 10 * 60 * 1000);
    }
    QTemporaryDir dir;
    tServerProcess server;
    QString problem;
    ASSERT_TRUE(server.Start(dir.path(), {}, problem)) << problem.toStdString();
    for (const tPlayedGame& game : games) {
        const tHttpReply answer = HttpGet(server.Base().toUtf8() + UploadPath(game).c_str());
        ASSERT_EQ(answer.Status, 200) << game.Name << ": " << answer.Body.toStdString();
    }
    tChromium chromium;
    ASSERT_TRUE(chromium.Start(problem)) << problem.toStdString();
    for (size_t n = 0; n < games.size(); ++n) {
        const tPlayedGame& game = games[n];
        SCOPED_TRACE(game.Name);
        ASSERT_TRUE(chromium.Open(server.Base() + "results/" + QString::number(n + 1), problem))
            << problem.toStdString();
        ASSERT_EQ(Field(chromium, "Name"), QString::fromStdString(game.Name));
        ASSERT_EQ(chromium.Eval("stakkarViewer.ready"), true)
            << Text(chromium, "watch-problem").toStdString();

        tGameModel native;
        tReplayCursor cursor(native, game.Record);
        cursor.Start();
        cursor.RunToEnd();
        const int64_t end = cursor.Time();
        EXPECT_EQ(chromium.Eval("stakkarViewer.end()").toDouble(), static_cast<double>(end));
        // Forward, back and forward again: a jump back plays the game afresh to that moment.
        for (const int64_t at : {end * 3 / 4, end / 4, end / 2 + 7, end}) {
            EXPECT_EQ(chromium.Eval(QString("stakkarViewer.seek(%1)").arg(at)).toString().toStdString(),
                      NativeAt(game.Record, at))
                << "at " << at << " ms";
        }
        EXPECT_EQ(
            chromium.Eval("document.getElementById('watch-well').dataset.cells").toString().toStdString(),
            Looks(native));
        EXPECT_EQ(Text(chromium, "watch-score"), Field(chromium, "Score"));
        EXPECT_EQ(Text(chromium, "watch-level"), Field(chromium, "Level"));
        EXPECT_EQ(Text(chromium, "watch-figures"), Field(chromium, "Figures").split(' ').first());
        EXPECT_EQ(Text(chromium, "watch-rows"), Field(chromium, "Cleared").split(' ').first());
        EXPECT_EQ(Text(chromium, "watch-message"), "Game over");
    }

    // The keys a visitor expects, on the last page: Home to the start, space plays, + goes faster, End
    // to the end.
    ASSERT_TRUE(chromium.PressKey("Home", problem)) << problem.toStdString();
    EXPECT_EQ(chromium.Eval("stakkarViewer.time()").toDouble(), 0);
    ASSERT_TRUE(chromium.PressKey("+", problem)) << problem.toStdString();
    EXPECT_EQ(chromium.Eval("document.querySelector('[data-speed=\"2\"]').getAttribute('aria-pressed')"),
              "true");
    ASSERT_TRUE(chromium.PressKey(" ", problem)) << problem.toStdString();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const double played = chromium.Eval("stakkarViewer.time()").toDouble();
    EXPECT_GT(played, 0);
    EXPECT_EQ(Text(chromium, "watch-play"), "Pause");
    ASSERT_TRUE(chromium.PressKey("End", problem)) << problem.toStdString();
    EXPECT_EQ(chromium.Eval("stakkarViewer.time()").toDouble(),
              chromium.Eval("stakkarViewer.end()").toDouble());
}

TEST(ScoreServerViewer, TheViewerFilesAreKeptForGoodAndTheResultPageAllowsThemAlone) {
    QTemporaryDir dir;
    tServerProcess server;
    QString problem;
    ASSERT_TRUE(server.Start(dir.path(), {}, problem)) << problem.toStdString();
    const tPlayedGame game = Play({0, 1, 3, 4}, "Ann", 30, 1);
    ASSERT_EQ(HttpGet(server.Base().toUtf8() + UploadPath(game).c_str()).Status, 200);

    const std::string page =
        Exchange(server.Port(), "GET /results/1 HTTP/1.1\r\nHost: scores.test\r\nConnection: close\r\n\r\n");
    if (!kViewerBuilt) {
        EXPECT_EQ(page.find("<script"), std::string::npos);
        EXPECT_EQ(HttpGet(server.Base().toUtf8() + "viewer/viewer.js").Status, 404);
        return;
    }
    // Without script the page is as it was: the well the game ended with, and the viewer's part hidden.
    EXPECT_NE(page.find("<svg"), std::string::npos);
    EXPECT_NE(page.find("<section id=\"watch\" hidden"), std::string::npos);
    const size_t policy = page.find("Content-Security-Policy: ");
    ASSERT_NE(policy, std::string::npos);
    const std::string policyLine = page.substr(policy, page.find("\r\n", policy) - policy);
    EXPECT_NE(policyLine.find("script-src 'sha384-"), std::string::npos) << policyLine;
    const std::string scripts = policyLine.substr(policyLine.find("script-src"));
    EXPECT_EQ(scripts.substr(0, scripts.find(';')).find("'self'"), std::string::npos) << policyLine;
    EXPECT_EQ(policyLine.find("unsafe-eval'"), policyLine.find("wasm-unsafe-eval'") + 5) << policyLine;

    const std::string script = Exchange(
        server.Port(), "GET /viewer/viewer.js HTTP/1.1\r\nHost: scores.test\r\nConnection: close\r\n\r\n");
    ASSERT_EQ(script.substr(0, script.find("\r\n")), "HTTP/1.1 200 OK");
    EXPECT_NE(script.find("Cache-Control: public, max-age=31536000, immutable"), std::string::npos);
    const size_t tag = script.find("ETag: ");
    ASSERT_NE(tag, std::string::npos);
    const std::string etag = script.substr(tag + 6, script.find("\r\n", tag) - tag - 6);
    const std::string again =
        Exchange(server.Port(),
                 "GET /viewer/stakkar-viewer.wasm HTTP/1.1\r\nHost: scores.test\r\nIf-None-Match: " + etag +
                     "\r\nConnection: close\r\n\r\n");
    EXPECT_EQ(again.substr(0, again.find("\r\n")), "HTTP/1.1 304 Not Modified");
    EXPECT_EQ(HeaderNumber(again, "Content-Length"), 0);
    EXPECT_EQ(HttpGet(server.Base().toUtf8() + "viewer/other.js").Status, 404);
    // An unverified result's page runs nothing.
    tPlayedGame plain = Play({0, 1, 3, 4}, "Plain", 30, 2);
    const std::string data = UploadData("Standart", "Normal", plain.Result);
    ASSERT_EQ(HttpGet(server.Base().toUtf8() + "index.php?tab=hscore&data=" + PercentEncodeAll(data).c_str())
                  .Status,
              200);
    const tHttpReply unverified = HttpGet(server.Base().toUtf8() + "results/2");
    EXPECT_EQ(unverified.Body.indexOf("<script"), -1);
    // The verified game is linked to be watched from its table and the front page; the other is not.
    const QByteArray table = HttpGet(server.Base().toUtf8() + "scores/Standart/Normal").Body;
    EXPECT_EQ(table.count("#watch\""), 1) << table.toStdString();
    EXPECT_TRUE(table.contains("href=\"/results/1#watch\"")) << table.toStdString();
    const QByteArray front = HttpGet(server.Base().toUtf8()).Body;
    const qsizetype latest = front.indexOf("<ul id=\"latest\">");
    ASSERT_NE(latest, -1) << front.toStdString();
    const QByteArray latestList = front.mid(latest, front.indexOf("</ul>", latest) - latest);
    EXPECT_TRUE(latestList.contains("Ann") && latestList.contains("href=\"/results/1#watch\""));
    EXPECT_FALSE(latestList.contains("Plain"));
}
