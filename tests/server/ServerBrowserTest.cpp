// SPDX-License-Identifier: GPL-3.0-or-later
#include "uHttpGet.h"
#include "uServerProcess.h"

#include "platform/uCodePage.h"
#include "storage/uHSUpload.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr const char* kChromium = "/usr/bin/chromium";

} // namespace

TEST(ScoreServerInBrowser, ChromiumRendersTheTableWithCyrillicNamesInRankOrder) {
    if (!QFile::exists(kChromium)) {
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
    chromium.start(kChromium,
                   {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                    "--disable-background-networking", "--disable-component-update", "--disable-sync",
                    "--user-data-dir=" + profile.path(), "--dump-dom",
                    server.Base() + "scores/Extended/Easy"});
    ASSERT_TRUE(chromium.waitForFinished(120000));
    const QString dom = QString::fromUtf8(chromium.readAllStandardOutput());
    // The markup in a name arrives as text: the parsed DOM holds it escaped again, never as an element.
    const qsizetype yan = dom.indexOf("<td>&lt;b&gt;Ян&lt;/b&gt;</td>");
    const qsizetype yozhik = dom.indexOf("<td>Ёжик</td>");
    const qsizetype vera = dom.indexOf("<td>Вера</td>");
    EXPECT_TRUE(yan > 0 && yan < yozhik && yozhik < vera) << dom.toStdString();
    EXPECT_FALSE(dom.contains("<b>Ян"));
}
