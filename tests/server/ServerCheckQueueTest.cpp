// SPDX-License-Identifier: GPL-3.0-or-later
// Replays waiting to be checked: a flood of the dearest ones from a hundred addresses is answered at once
// where it finds no room, while a player who comes in the middle of it is checked and answered at once, the
// pages keep coming and memory stays bounded; a client that leaves while its check waits costs no check.

#include "uHttpGet.h"
#include "uRawClient.h"
#include "uServerProcess.h"

#include "bench/ScriptedGame.h"
#include "server/check/uReplayCheck.h"
#include "storage/uHSUpload.h"
#include "storage/uReplayFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// AddressSanitizer's allocator keeps what is freed in quarantine and gives nothing back to the system: the
// bounds of memory hold for the plain build.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kFloodAddresses = 100;
// Each address's whole allowance of uploads at once, at the server's default rate.
constexpr int kFloodBurst = 10;
// A check of a played game's replay, done within the 2 seconds a player waits without unease.
constexpr auto kHonestAnswer = 2000ms;
constexpr double kFrontPageP99Ms = 100;
constexpr long kMaxPeakKiB = 128 * 1024;
// The heap that the sessions and the database keep from a flood, against the tens of MiB its checks used.
constexpr long kLeftAfterFloodKiB = 8 * 1024;

const tGameSettings kSettings{0, 1, 3, 4};

// A game of Standart : Normal, played under its player's name and start time, which its seed follows from.
tTimedGame PlayedGame(const std::string& name, const std::string& start, uint32_t seed) {
    tTimedGame game(kSettings, name, start);
    std::mt19937 random(seed);
    PlayGame(game, tPlayStyle::Slide, 40, random);
    EndGame(game);
    return game;
}

std::string UploadRequest(const tResultRecord& result, const tGameRecord& record) {
    const std::string replay = QByteArray::fromStdString(EncodeReplay(record))
                                   .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals)
                                   .toStdString();
    return "GET /index.php?tab=hscore&data=" + PercentEncodeAll(UploadData("Standart", "Normal", result)) +
           "&replay=" + replay + " HTTP/1.1\r\nHost: scores.test\r\nConnection: close\r\n\r\n";
}

// The dearest replay to check: a real game's start with as many presses on its first figure as the server
// unpacks, which pack into a few hundred bytes.
std::string FloodRequest() {
    const tTimedGame game = PlayedGame("Flood", "07.03.05 20:00:00", 1);
    tGameRecord record = game.Record();
    const tRecordedPress press{1, ActionBit(tAction::MoveLeft), 0};
    record.Presses.assign(1, press);
    const size_t one = ReplayPayload(record).size();
    record.Presses.assign(2, press);
    const size_t each = ReplayPayload(record).size() - one;
    // Room for the count of presses growing by a few bytes.
    record.Presses.assign((kMaxCheckedPayload - one - 8) / each, press);
    EXPECT_LE(ReplayPayload(record).size(), kMaxCheckedPayload);
    EXPECT_GT(ReplayPayload(record).size(), kMaxCheckedPayload - 16);
    return UploadRequest(ResultOf(game.Game(), "Flood"), record);
}

std::string FirstLine(const std::string& answer) {
    return answer.substr(0, answer.find("\r\n"));
}

long StatusKiB(qint64 pid, const QByteArray& field) {
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field + ":")) {
            return line.mid(field.size() + 1).trimmed().split(' ').first().toLong();
        }
    }
    return -1;
}

bool RaiseDescriptorLimit(rlim_t wanted) {
    rlimit limit{};
    getrlimit(RLIMIT_NOFILE, &limit);
    if (limit.rlim_max < wanted) {
        return false;
    }
    limit.rlim_cur = std::max(limit.rlim_cur, wanted);
    return setrlimit(RLIMIT_NOFILE, &limit) == 0;
}

std::string FloodAddress(int i) {
    return "127.0.0." + std::to_string(2 + i);
}

TEST(ScoreServerCheckQueue, AFloodOfReplaysFromAHundredAddressesLeavesAPlayerCheckedAtOnce) {
    if (!RaiseDescriptorLimit(2500)) {
        GTEST_SKIP() << "The descriptor limit leaves no room for a thousand connections";
    }
    QTemporaryDir dir;
    tServerProcess server;
    QString problem;
    ASSERT_TRUE(server.Start(dir.path(), {"--max-connections", "2000"}, problem)) << problem.toStdString();
    const std::string flood = FloodRequest();
    const tTimedGame honest = PlayedGame("Ann", "07.03.05 21:15:00", 7);
    const std::string upload = UploadRequest(ResultOf(honest.Game(), "Ann"), honest.Record());
    const long residentBefore = StatusKiB(server.Pid(), "VmRSS");

    std::atomic<int> sent = 0;
    std::atomic<bool> flooding = true;
    std::mutex answersLock;
    std::vector<std::string> answers;
    std::vector<std::thread> flooders;
    for (int i = 0; i < kFloodAddresses; ++i) {
        flooders.emplace_back([&, from = FloodAddress(i)] {
            std::vector<tRawClient> burst(kFloodBurst);
            for (tRawClient& client : burst) {
                if (client.Connect(server.Port(), from.c_str())) {
                    client.Send(flood);
                }
            }
            ++sent;
            for (tRawClient& client : burst) {
                std::string answer = client.ReadUntilClosed(30s);
                const std::lock_guard lock(answersLock);
                answers.push_back(std::move(answer));
            }
        });
    }
    std::vector<double> frontMs;
    // The front page is timed while the server checks the flood: once every flooding address has sent its
    // burst, and after one untimed request, which waits in the listening queue behind the thousand
    // connections the flood opened at once, as TCP takes them in order.
    const std::string front = "GET / HTTP/1.1\r\nHost: scores.test\r\nConnection: close\r\n\r\n";
    std::thread prober([&] {
        while (sent < kFloodAddresses) {
            std::this_thread::sleep_for(1ms);
        }
        Exchange(server.Port(), front, "127.0.0.200");
        while (flooding) {
            const Clock::time_point start = Clock::now();
            const std::string answer = Exchange(server.Port(), front, "127.0.0.200");
            frontMs.push_back(FirstLine(answer) == "HTTP/1.1 200 OK"
                                  ? std::chrono::duration<double, std::milli>(Clock::now() - start).count()
                                  : 1e9);
        }
    });
    // The player uploads once every flooding address has sent its burst, which the server is still reading
    // and checking.
    while (sent < kFloodAddresses) {
        std::this_thread::sleep_for(1ms);
    }
    const Clock::time_point uploaded = Clock::now();
    const std::string taken = Exchange(server.Port(), upload, "127.0.0.1");
    const auto honestTook = Clock::now() - uploaded;
    for (std::thread& flooder : flooders) {
        flooder.join();
    }
    flooding = false;
    prober.join();

    EXPECT_EQ(FirstLine(taken), "HTTP/1.1 200 OK") << taken;
    EXPECT_NE(taken.find("It is verified"), std::string::npos) << taken;
    EXPECT_LT(honestTook, kHonestAnswer) << std::chrono::duration<double>(honestTook).count() << " s";
    const std::string json = Exchange(
        server.Port(), "GET /scores/Standart/Normal.json HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n");
    const size_t ann = json.find("\"name\":\"Ann\"");
    EXPECT_TRUE(ann != std::string::npos && json.find("\"name\":\"Ann\"", ann + 1) == std::string::npos)
        << json;

    // Every flooding upload is answered: checked and refused, or refused at once with when to come back.
    int full = 0;
    for (const std::string& answer : answers) {
        if (FirstLine(answer) == "HTTP/1.1 503 Service Unavailable") {
            ++full;
            EXPECT_GE(HeaderNumber(answer, "Retry-After"), 1) << answer;
            EXPECT_NE(answer.find("Too many replays wait to be checked"), std::string::npos) << answer;
        } else {
            EXPECT_EQ(FirstLine(answer), "HTTP/1.1 400 Bad Request") << answer;
        }
    }
    EXPECT_EQ(answers.size(), static_cast<size_t>(kFloodAddresses * kFloodBurst));
    EXPECT_GT(full, kFloodAddresses * kFloodBurst / 2);

    ASSERT_FALSE(frontMs.empty());
    std::sort(frontMs.begin(), frontMs.end());
    const double p99 = frontMs[(frontMs.size() * 99 + 99) / 100 - 1];
    EXPECT_LT(p99, kFrontPageP99Ms) << frontMs.size() << " probes, the slowest " << frontMs.back() << " ms";
    if (kSanitized) {
        return;
    }
    const long peak = StatusKiB(server.Pid(), "VmHWM");
    EXPECT_TRUE(peak > 0 && peak < kMaxPeakKiB) << peak << " KiB";
    // Once the checks stop, the heap gives back what the flood took.
    long resident = StatusKiB(server.Pid(), "VmRSS");
    for (int wait = 0; wait < 50 && resident >= residentBefore + kLeftAfterFloodKiB; ++wait) {
        std::this_thread::sleep_for(100ms);
        resident = StatusKiB(server.Pid(), "VmRSS");
    }
    EXPECT_LT(resident, residentBefore + kLeftAfterFloodKiB)
        << residentBefore << " KiB before, " << peak << " at the peak";
}

TEST(ScoreServerCheckQueue, AClientThatClosesWhileItsCheckWaitsGivesItsShareBackAtOnce) {
    QTemporaryDir dir;
    tServerProcess server;
    QString problem;
    ASSERT_TRUE(server.Start(dir.path(),
                             {"--uploads-per-minute", "100000", "--upload-burst", "100000",
                              "--connections-per-address", "200", "--checks-per-address", "100",
                              "--check-queue", "100"},
                             problem))
        << problem.toStdString();
    const std::string flood = FloodRequest();
    // A second of checks for the workers, were they played; all but the first few wait, for no one.
    for (int i = 0; i < 100; ++i) {
        tRawClient gone;
        ASSERT_TRUE(gone.Connect(server.Port(), "127.0.0.2") && gone.Send(flood));
    }
    std::this_thread::sleep_for(200ms);
    // The same address's whole share is free again: no check of those that left still holds it.
    std::vector<tRawClient> staying(100);
    for (tRawClient& client : staying) {
        ASSERT_TRUE(client.Connect(server.Port(), "127.0.0.2") && client.Send(flood));
    }
    for (tRawClient& client : staying) {
        EXPECT_EQ(FirstLine(client.ReadUntilClosed(30s)), "HTTP/1.1 400 Bad Request");
    }
}

} // namespace

TEST(ScoreServerCheckQueue, SigtermDuringACheckAnswersItAndExitsCleanly) {
    QTemporaryDir dir;
    tServerProcess server;
    QString problem;
    ASSERT_TRUE(server.Start(dir.path(), {"--no-access-log"}, problem)) << problem.toStdString();
    const std::string flood = FloodRequest();
    std::string answer;
    std::atomic<bool> answered = false;
    std::thread upload([&] {
        answer = Exchange(server.Port(), flood);
        answered = true;
    });
    const QByteArray metrics = server.Base().toUtf8() + "metrics";
    // The stop comes while the check runs, or, where the machine plays the replay faster than the loop can
    // be asked, just after: either way the upload is answered and nothing is cut.
    const Clock::time_point giveUp = Clock::now() + 2s;
    while (Clock::now() < giveUp && !HttpGet(metrics).Body.contains("stakkar_checks_running 1") &&
           !answered) {
    }
    const Clock::time_point stopped = Clock::now();
    EXPECT_EQ(server.Terminate(10000), 0);
    EXPECT_LT(Clock::now() - stopped, 10s);
    upload.join();
    // The check ran to its end: its verdict on the replay, not a refusal for want of time.
    EXPECT_TRUE(FirstLine(answer).starts_with("HTTP/1.1 ")) << answer;
    EXPECT_NE(FirstLine(answer), "HTTP/1.1 503 Service Unavailable");
}
