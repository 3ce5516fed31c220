// SPDX-License-Identifier: GPL-3.0-or-later
#include "uChromium.h"
#include "uHttpGet.h"
#include "uServerProcess.h"

#include "platform/uCodePage.h"
#include "server/store/uScoreDatabase.h"
#include "storage/uHSEntry.h"
#include "storage/uHSUpload.h"

#include <QFile>
#include <QJsonArray>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>

// Failures show texts, not their UTF-16 units.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

tScoreRecord Stored(const char* difficulty, const char* utf8Name, int32_t score, const char* start) {
    return {"Standart",
            difficulty,
            {{start, "4:02", "3", "2", "96 [23,8/m]", "31 [7,7/m]"},
             ToCodePage(QString::fromUtf8(utf8Name)),
             5,
             score},
            *StartTimeMs(start)};
}

// The texts of the elements the selector finds, each element's cells joined by "|".
QStringList Texts(tChromium& chromium, const QString& selector) {
    QStringList texts;
    const QJsonArray found =
        chromium
            .Eval("[...document.querySelectorAll('" + selector +
                  "')].map(e => e.cells ? [...e.cells].map(c => c.textContent).join('|') "
                  ": e.textContent)")
            .toArray();
    for (const QJsonValue& text : found) {
        texts += text.toString();
    }
    return texts;
}

} // namespace

TEST(ScoreServerInBrowser, ChromiumRendersTheTableWithCyrillicNamesInRankOrder) {
    if (!QFile::exists(tChromium::kBinary)) {
        GTEST_SKIP() << "Chromium is not installed (bash tools/setup.sh installs it)";
    }
    QTemporaryDir dir;
    QTemporaryDir profile;
    tServerProcess server;
    QString problem;
    ASSERT_TRUE(server.Start(dir.path(), {}, problem)) << problem.toStdString();
    const std::vector<std::pair<const char*, int32_t>> players{
        {"Вера", 300}, {"<b>Ян</b>", 900}, {"Ёжик", 600}};
    for (const auto& [name, score] : players) {
        const tResultRecord entry{{"11.12.23 08:30:00", "2:10", "2", "0", "40 [18,5/m]", "12 [5,5/m]"},
                                  ToCodePage(QString::fromUtf8(name)),
                                  2,
                                  score};
        const std::string address = UploadAddress("Extended", "Easy", entry);
        ASSERT_EQ(HttpGet(server.Base().toUtf8() +
                          QByteArray::fromStdString(address.substr(address.find("index.php"))))
                      .Status,
                  200);
    }

    QProcess chromium;
    chromium.start(tChromium::kBinary,
                   {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                    "--disable-background-networking", "--disable-component-update", "--disable-sync",
                    "--user-data-dir=" + profile.path(), "--dump-dom",
                    server.Base() + "scores/Extended/Easy"});
    ASSERT_TRUE(chromium.waitForFinished(120000));
    const QString dom = QString::fromUtf8(chromium.readAllStandardOutput());
    // The markup in a name arrives as text: the parsed DOM holds it escaped again, never as an element.
    const qsizetype yan = dom.indexOf("\">&lt;b&gt;Ян&lt;/b&gt;</a></td>");
    const qsizetype yozhik = dom.indexOf("\">Ёжик</a></td>");
    const qsizetype vera = dom.indexOf("\">Вера</a></td>");
    EXPECT_TRUE(yan > 0 && yan < yozhik && yozhik < vera) << dom.toStdString();
    EXPECT_FALSE(dom.contains("<b>Ян"));
}

TEST(ScoreServerInBrowser, AVisitorPagesThroughAThousandResultsAndFollowsNamesResultsAndTheSearch) {
    if (!QFile::exists(tChromium::kBinary)) {
        GTEST_SKIP() << "Chromium is not installed (bash tools/setup.sh installs it)";
    }
    QTemporaryDir dir;
    // Ranks follow the score: result n of the thousand stands at rank n + 1. Ёжик holds ranks 1 and 151 and
    // the only result of Standart : Hard, started on the last day of 1999.
    std::vector<tScoreRecord> stored;
    for (int n = 0; n < 1000; ++n) {
        const std::string name = n == 0 || n == 150 ? "Ёжик"
                                 : n == 7           ? "<b>Ян</b>"
                                                    : "Игрок" + std::to_string(n);
        stored.push_back(Stored("Normal", name.c_str(), 100000 - n, "07.03.05 21:15:00"));
    }
    stored.push_back(Stored("Hard", "Ёжик", 777, "31.12.99 23:59:59"));
    tDatabaseTarget target;
    target.Name = dir.filePath("scores.sqlite");
    QString problem;
    {
        tScoreDatabase db(target, "fill");
        const tStoreResult<void> opened = db.Open();
        ASSERT_TRUE(opened) << opened.Problem().toStdString();
        const tStoreResult<void> filled = db.Results().StoreMany(stored);
        ASSERT_TRUE(filled) << filled.Problem().toStdString();
    }
    tServerProcess server;
    ASSERT_TRUE(server.Start(dir.path(), {"--database", target.Name}, problem)) << problem.toStdString();
    tChromium chromium;
    ASSERT_TRUE(chromium.Start(problem)) << problem.toStdString();

    // Every page as its counts and the first and last rank it shows, forwards by "next", then back.
    QStringList seen, expected;
    auto look = [&] {
        const QStringList ranks = Texts(chromium, "#scores tbody td:first-child");
        seen += Texts(chromium, "p.pages").value(0).section(" ", 0, 3) + " " + ranks.value(0) + ".." +
                ranks.value(ranks.size() - 1);
    };
    ASSERT_TRUE(chromium.Open(server.Base() + "scores/Standart/Normal", problem)) << problem.toStdString();
    for (int page = 1; page <= 10; ++page) {
        expected += QString("results %1-%2 of 1000 %1..%2").arg(page * 100 - 99).arg(page * 100);
        look();
        if (page < 10) {
            ASSERT_TRUE(chromium.Click("a[rel=next]", problem)) << problem.toStdString();
        }
    }
    EXPECT_EQ(chromium.Eval("location.search").toString(), "?page=10");
    EXPECT_TRUE(chromium.Eval("document.querySelector('a[rel=next]') === null").toBool());
    for (int page = 9; page >= 1; --page) {
        expected += QString("results %1-%2 of 1000 %1..%2").arg(page * 100 - 99).arg(page * 100);
        ASSERT_TRUE(chromium.Click("a[rel=prev]", problem)) << problem.toStdString();
        look();
    }
    EXPECT_EQ(seen, expected);

    // The name in the first row leads to the player, the player's third row to that result.
    ASSERT_TRUE(chromium.Click("#scores tbody tr:first-child td:nth-child(2) a", problem))
        << problem.toStdString();
    EXPECT_EQ(Texts(chromium, "h1"), QStringList{"Stakkar player Ёжик"});
    EXPECT_EQ(Texts(chromium, "#results tbody tr"),
              (QStringList{"Standart : Normal|1|5|100000|2005-03-07 21:15:00",
                           "Standart : Normal|151|5|99850|2005-03-07 21:15:00",
                           "Standart : Hard|1|5|777|1999-12-31 23:59:59"}));
    ASSERT_TRUE(chromium.Click("#results tbody tr:nth-child(3) a[href^='/results/']", problem))
        << problem.toStdString();
    EXPECT_EQ(Texts(chromium, "#result tr"),
              (QStringList{"Table|Standart : Hard", "Rank|1", "Name|Ёжик", "Level|5", "Score|777",
                           "Start time|1999-12-31 23:59:59", "Play time|4:02", "Start level|3",
                           "Broken lines|2", "Figures|96 [23,8/m]", "Cleared|31 [7,7/m]"}));
    const QByteArray json = HttpGet(server.Base().toUtf8() + "scores/Standart/Hard.json").Body;
    EXPECT_TRUE(json.contains("\"date\":\"1999-12-31 23:59:59\"")) << json.toStdString();

    // The search box of the front page, letter case aside; markup in a name stays text.
    auto search = [&](const QString& typed) {
        EXPECT_TRUE(chromium.Open(server.Base(), problem)) << problem.toStdString();
        chromium.Eval("document.querySelector('input[name=name]').value = '" + typed + "'");
        EXPECT_TRUE(chromium.Click("button[type=submit]", problem)) << problem.toStdString();
        return Texts(chromium, "#names li");
    };
    EXPECT_EQ(search("ёЖ"), QStringList{"Ёжик"});
    EXPECT_EQ(search("игрок1").size(), 100);
    EXPECT_TRUE(Texts(chromium, "#found").value(0).startsWith("The first 100 names"));
    EXPECT_EQ(search("<B>"), QStringList{"<b>Ян</b>"});
    ASSERT_TRUE(chromium.Click("#names a", problem)) << problem.toStdString();
    EXPECT_EQ(Texts(chromium, "h1"), QStringList{"Stakkar player <b>Ян</b>"});
    EXPECT_EQ(Texts(chromium, "#results tbody tr"),
              QStringList{"Standart : Normal|8|5|99993|2005-03-07 21:15:00"});

    // On a phone no page is wider than its screen: a wide table scrolls in its own box.
    ASSERT_TRUE(chromium.ActAsPhone(390, 844, problem)) << problem.toStdString();
    auto width = [&] { return chromium.Eval("document.documentElement.scrollWidth").toInt(); };
    ASSERT_TRUE(chromium.Open(server.Base(), problem)) << problem.toStdString();
    EXPECT_LE(width(), 390);
    ASSERT_TRUE(chromium.Open(server.Base() + "scores/Standart/Normal", problem)) << problem.toStdString();
    EXPECT_EQ(chromium.Eval("innerWidth").toInt(), 390);
    EXPECT_LE(width(), 390);
    ASSERT_TRUE(chromium.Click("#scores tbody tr:first-child td:nth-child(2) a", problem))
        << problem.toStdString();
    EXPECT_LE(width(), 390);
    ASSERT_TRUE(chromium.Click("#results a[href^='/results/']", problem)) << problem.toStdString();
    EXPECT_LE(width(), 390) << chromium.Eval("location.href").toString().toStdString();
}
