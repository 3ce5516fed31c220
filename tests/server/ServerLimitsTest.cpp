// SPDX-License-Identifier: GPL-3.0-or-later
// What the server answers at its edges: the upload allowance, the proxy it trusts, the methods it serves and
// the size of a request's head.

#include "uHttpGet.h"
#include "uRawClient.h"
#include "uServerProcess.h"

#include "storage/uHSUpload.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

tResultRecord Result(int32_t score) {
    // The most figures of level 1 on "Hard", so that scores up to 2100 are ones a game can give.
    return {{"07.03.05 21:15:00", "4:02", "1", "0", "29 [7,2/m]", "0 [0,0/m]"}, "Ann", 1, score};
}

std::string Request(const std::string& method, const std::string& path, const std::string& lines = {}) {
    return method + " /" + path + " HTTP/1.1\r\nHost: scores.test\r\nConnection: close\r\n" + lines + "\r\n";
}

std::string UploadRequest(int32_t score, const std::string& lines = {}) {
    const std::string address = UploadAddress("Standart", "Hard", Result(score));
    return Request("GET", address.substr(address.find("index.php")), lines);
}

std::string StatusOf(const std::string& answer) {
    return answer.substr(0, answer.find("\r\n"));
}

} // namespace

TEST(ScoreServerLimits, OnlyResultsTakenSpendTheAllowanceAndA429SaysWhenToComeBack) {
    QTemporaryDir dir;
    tServerProcess server;
    QString problem;
    ASSERT_TRUE(server.Start(dir.path(), {"--uploads-per-minute", "1", "--upload-burst", "2"}, problem))
        << problem.toStdString();
    std::string refused = UploadData("Standart", "Hard", Result(100));
    refused.back() = refused.back() == '0' ? '1' : '0';
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(StatusOf(Exchange(server.Port(), Request("GET", "index.php?tab=hscore&data=" +
                                                                      PercentEncodeAll(refused)))),
                  "HTTP/1.1 400 Bad Request");
    }
    // The same result twice is taken once, and only once spends a token.
    for (const int32_t score : {100, 100, 101}) {
        EXPECT_EQ(StatusOf(Exchange(server.Port(), UploadRequest(score))), "HTTP/1.1 200 OK") << score;
    }
    const std::string tooMany = Exchange(server.Port(), UploadRequest(102));
    EXPECT_EQ(StatusOf(tooMany), "HTTP/1.1 429 Too Many Requests");
    // One token a minute, and the bucket is empty: the next one comes in a minute.
    const long retryAfter = HeaderNumber(tooMany, "Retry-After");
    EXPECT_TRUE(retryAfter >= 55 && retryAfter <= 60) << tooMany;
    const tHttpReply page = HttpGet(server.Base().toUtf8() + "scores/Standart/Hard.json");
    EXPECT_EQ(page.Status, 200);
    EXPECT_EQ(page.Body.count("\"name\":\"Ann\""), 2);
}

TEST(ScoreServerLimits, BehindTheTrustedProxyEveryForwardedClientHasItsOwnAllowanceAndNoOneElseCanClaimOne) {
    QTemporaryDir dir;
    tServerProcess server;
    QString problem;
    ASSERT_TRUE(server.Start(
        dir.path(), {"--uploads-per-minute", "1", "--upload-burst", "1", "--trust-proxy", "127.0.0.1"},
        problem))
        << problem.toStdString();
    auto status = [&](int32_t score, const std::string& forwardedFor, const char* from) {
        return StatusOf(
            Exchange(server.Port(), UploadRequest(score, "X-Forwarded-For: " + forwardedFor + "\r\n"), from));
    };
    // The client may have written anything before the entry the proxy adds last.
    for (int client = 0; client < 50; ++client) {
        EXPECT_EQ(status(1000 + client, "10.9.9.9, 10.0.0." + std::to_string(client), "127.0.0.1"),
                  "HTTP/1.1 200 OK")
            << client;
    }
    EXPECT_EQ(status(2000, "10.0.0.7", "127.0.0.1"), "HTTP/1.1 429 Too Many Requests");
    // Not the proxy: whatever it claims, it is the address it comes from.
    EXPECT_EQ(status(1500, "10.0.1.1", "127.0.0.2"), "HTTP/1.1 200 OK");
    EXPECT_EQ(status(1501, "10.0.1.2", "127.0.0.2"), "HTTP/1.1 429 Too Many Requests");
    // A malformed entry from the proxy leaves the proxy's own address.
    EXPECT_EQ(status(1700, "10.0.2.1, not-an-address", "127.0.0.1"), "HTTP/1.1 200 OK");
    EXPECT_EQ(status(1701, "10.0.2.2:80", "127.0.0.1"), "HTTP/1.1 429 Too Many Requests");
}

TEST(ScoreServerLimits, HeadIsAnsweredAsGetOtherMethodsAre405AndTheHeadOfARequestIsBounded) {
    QTemporaryDir dir;
    tServerProcess server;
    QString problem;
    ASSERT_TRUE(server.Start(dir.path(), {}, problem)) << problem.toStdString();
    const std::string get = Exchange(server.Port(), Request("GET", ""));
    const std::string head = Exchange(server.Port(), Request("HEAD", ""));
    EXPECT_EQ(StatusOf(get), "HTTP/1.1 200 OK");
    EXPECT_GT(HeaderNumber(get, "Content-Length"), 0);
    EXPECT_EQ(head, get.substr(0, get.find("\r\n\r\n") + 4));
    const std::string post = Exchange(server.Port(), Request("POST", "scores/Standart/Hard"));
    EXPECT_EQ(StatusOf(post), "HTTP/1.1 405 Method Not Allowed");
    EXPECT_NE(post.find("\r\nAllow: GET, HEAD\r\n"), std::string::npos) << post;
    // A link checker's HEAD of an upload address stores nothing: the GET after it is the first.
    const std::string upload = UploadRequest(1000);
    const std::string headUpload = Exchange(server.Port(), "HEAD" + upload.substr(3));
    EXPECT_EQ(StatusOf(headUpload), "HTTP/1.1 405 Method Not Allowed");
    EXPECT_NE(headUpload.find("\r\nAllow: GET\r\n"), std::string::npos) << headUpload;
    const std::string taken = Exchange(server.Port(), upload);
    EXPECT_NE(taken.find("was taken"), std::string::npos) << taken;
    const std::string missing = Exchange(server.Port(), Request("GET", "nothing"));
    EXPECT_EQ(StatusOf(missing), "HTTP/1.1 404 Not Found");
    for (const std::string& answer : {get, head, post, missing}) {
        EXPECT_NE(answer.find("\r\nContent-Security-Policy: default-src 'none'; style-src 'unsafe-inline'; "
                              "frame-ancestors 'none'\r\n"),
                  std::string::npos)
            << answer;
        EXPECT_NE(answer.find("\r\nX-Frame-Options: DENY\r\n"), std::string::npos);
        EXPECT_NE(answer.find("\r\nX-Content-Type-Options: nosniff\r\n"), std::string::npos);
    }

    // A recorded game fits in an address; far more does not, in the address or in the header lines.
    const std::string data = "index.php?tab=hscore&data=";
    EXPECT_EQ(StatusOf(Exchange(server.Port(), Request("GET", data + std::string(60000, 'A')))),
              "HTTP/1.1 400 Bad Request");
    EXPECT_EQ(StatusOf(Exchange(server.Port(), Request("GET", data + std::string(70000, 'A')))),
              "HTTP/1.1 414 URI Too Long");
    EXPECT_EQ(
        StatusOf(Exchange(server.Port(), Request("GET", "", "X-Fill: " + std::string(70000, 'a') + "\r\n"))),
        "HTTP/1.1 431 Request Header Fields Too Large");
    for (const char* body : {"Content-Length: 5\r\n", "Transfer-Encoding: chunked\r\n"}) {
        const std::string refused = Exchange(server.Port(), Request("GET", "", body) + "hello");
        EXPECT_EQ(StatusOf(refused), "HTTP/1.1 413 Payload Too Large") << body;
        EXPECT_NE(refused.find("\r\nConnection: close\r\n"), std::string::npos);
    }
}
