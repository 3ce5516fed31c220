// SPDX-License-Identifier: GPL-3.0-or-later
// Several server processes on one PostgreSQL database behind one reverse proxy act as one server to a client.

#include "uNginxProxy.h"
#include "uPgCluster.h"
#include "uRawClient.h"
#include "uServerProcess.h"

#include "storage/uHSUpload.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <array>
#include <future>
#include <vector>

namespace {

constexpr int kBurst = 3;

std::string Upload(int32_t score) {
    const tResultRecord result{
        {"07.03.05 21:15:00", "4:02", "1", "0", "29 [7,2/m]", "0 [0,0/m]"}, "Ann", 1, score};
    const std::string address = UploadAddress("Standart", "Hard", result);
    return "GET /" + address.substr(address.find("index.php")) +
           " HTTP/1.1\r\nHost: scores.test\r\nConnection: close\r\n\r\n";
}

std::string StatusOf(const std::string& answer) {
    return answer.substr(0, answer.find("\r\n"));
}

} // namespace

TEST(ScoreServerProcesses, AClientHasOneUploadAllowanceHoweverManyProcessesItsUploadsReach) {
    if (tPgCluster::BinDir().isEmpty() || tNginxProxy::Program().isEmpty()) {
        GTEST_SKIP() << "PostgreSQL or nginx is not installed (bash tools/setup.sh test installs them)";
    }
    tPgCluster cluster;
    QString problem;
    ASSERT_TRUE(cluster.Start(problem)) << problem.toStdString();
    QTemporaryDir dir;
    std::array<tServerProcess, 2> servers;
    for (tServerProcess& server : servers) {
        ASSERT_TRUE(server.Start(dir.path(),
                                 {"--database", cluster.Address(), "--trust-proxy", "127.0.0.1",
                                  "--uploads-per-minute", "1", "--upload-burst", QString::number(kBurst)},
                                 problem))
            << problem.toStdString();
    }
    tNginxProxy proxy;
    ASSERT_TRUE(proxy.Start({servers[0].Port(), servers[1].Port()}, problem)) << problem.toStdString();

    // The proxy hands the uploads to the two processes in turn: each process alone would take a burst of its
    // own. The repeat of the first result reaches the other process and costs nothing there either.
    const char* client = "127.0.0.7";
    for (const int32_t score : {100, 100, 101, 102}) {
        EXPECT_EQ(StatusOf(Exchange(proxy.Port(), Upload(score), client)), "HTTP/1.1 200 OK") << score;
    }
    for (int32_t score = 103; score < 103 + 2 * kBurst; ++score) {
        const std::string answer = Exchange(proxy.Port(), Upload(score), client);
        EXPECT_EQ(StatusOf(answer), "HTTP/1.1 429 Too Many Requests") << score;
        const long retryAfter = HeaderNumber(answer, "Retry-After");
        EXPECT_TRUE(retryAfter >= 1 && retryAfter <= 60) << answer;
    }
    // Another client has an allowance of its own, and its uploads sent all at once, in flight together on
    // both processes, find each of its tokens once.
    std::vector<std::future<std::string>> answers;
    for (int32_t score = 200; score < 200 + 4 * kBurst; ++score) {
        answers.push_back(std::async(std::launch::async, [&proxy, score] {
            return StatusOf(Exchange(proxy.Port(), Upload(score), "127.0.0.8"));
        }));
    }
    int taken = 0;
    for (std::future<std::string>& answer : answers) {
        const std::string status = answer.get();
        taken += status == "HTTP/1.1 200 OK" ? 1 : 0;
        EXPECT_TRUE(status == "HTTP/1.1 200 OK" || status == "HTTP/1.1 429 Too Many Requests") << status;
    }
    EXPECT_EQ(taken, kBurst);
}
