// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uBaseDir.h"
#include "platform/uShell.h"
#include "storage/uHSUpload.h"
#include "storage/uReplayFile.h"
#include "tests/support/ScopedBaseDir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

tHS Entry(const char* name, int32_t level, int32_t score, int32_t slot, tResultTexts texts) {
    return tHS{{std::move(texts), name, level, score}, slot};
}

const tHS kAnn =
    Entry("Ann", 7, 12345, 4, {"07.03.05 21:15:00", "4:02", "3", "2", "96 [23,8/m]", "31 [7,7/m]"});

} // namespace

TEST(HSUpload, TheRecordIsSignedWithTheMd5OfTableValuesAndBuild) {
    // MD5("Standart_NormalAnn71234507.03.05 21:15:004:023296 [23,8/m]31 [7,7/m]64"); the slot is no part of
    // it.
    EXPECT_EQ(UploadDigest("Standart", "Normal", kAnn), "61f935c5e762491728a42c2774494945");
    EXPECT_EQ(UploadData("Standart", "Normal", kAnn),
              "64|Standart|Normal|Ann|7|12345|07.03.05 21:15:00|4:02|3|2|96 [23,8/m]|31 [7,7/m]|"
              "61f935c5e762491728a42c2774494945");
    tHS negative = kAnn;
    negative.Score = -5;
    EXPECT_NE(UploadData("Standart", "Normal", negative).find("|7|-5|"), std::string::npos);
    EXPECT_NE(UploadDigest("Standart", "Normal", negative), UploadDigest("Standart", "Normal", kAnn));
}

TEST(HSUpload, EveryByteIsEncodedAndABarInANameIsLeftAsItIs) {
    EXPECT_EQ(PercentEncodeAll(std::string("aZ09|% \x00\xC0\xFF", 10)), "%61%5A%30%39%7C%25%20%00%C0%FF");
    EXPECT_EQ(PercentEncodeAll(""), "");

    const tHS odd =
        Entry("A|\xC0\xFF", 2, 40, 1, {"01.01.05 00:00:00", "0:10", "1", "0", "5 [30,0/m]", "0 [0,0/m]"});
    const std::string data = UploadData("Extended", "Hard", odd);
    EXPECT_EQ(data, "64|Extended|Hard|A|\xC0\xFF|2|40|01.01.05 00:00:00|0:10|1|0|5 [30,0/m]|0 [0,0/m]|"
                    "628e63085e838cba81b813abdb8fcead");
    EXPECT_EQ(
        PercentEncodeAll(data),
        "%36%34%7C%45%78%74%65%6E%64%65%64%7C%48%61%72%64%7C%41%7C%C0%FF%7C%32%7C%34%30%7C%30%31%2E%30%31"
        "%2E%30%35%20%30%30%3A%30%30%3A%30%30%7C%30%3A%31%30%7C%31%7C%30%7C%35%20%5B%33%30%2C%30%2F%6D%5D"
        "%7C%30%20%5B%30%2C%30%2F%6D%5D%7C%36%32%38%65%36%33%30%38%35%65%38%33%38%63%62%61%38%31%62%38%31"
        "%33%61%62%64%62%38%66%63%65%61%64");
}

TEST(HSUpload, AFileHstestInTheStartFolderSendsResultsToTheLocalServer) {
    QTemporaryDir dir;
    const tScopedBaseDir baseDir(dir.path().toStdString());
    const std::string query =
        "index.php?tab=hscore&data=" + PercentEncodeAll(UploadData("Standart", "Normal", kAnn));

    EXPECT_EQ(UploadAddress("Standart", "Normal", kAnn), "http://127.0.0.1:8888/" + query);
    // The settings file names the club's server; a page that is no web address is not taken.
    const auto setPage = [&](const char* page) {
        QFile settings(dir.filePath("stakkar.ini"));
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
        settings.write(QByteArray("[Scores]\r\nPage=") + page + "\r\n");
    };
    setPage("https://scores.example.net/stakkar");
    EXPECT_EQ(UploadPageBase(), "https://scores.example.net/stakkar/");
    setPage("file:///etc/passwd");
    EXPECT_EQ(UploadPageBase(), kScorePageBase);
    // A huge file is refused unread, whatever address it begins with.
    setPage(("http://club.example.net:8888/\r\n;" + std::string(100 * 1024, 'x')).c_str());
    EXPECT_EQ(UploadPageBase(), kScorePageBase);
    setPage("http://club.example.net:8888/");
    EXPECT_EQ(UploadPageBase(), "http://club.example.net:8888/");
    // A folder of that name is not the file.
    ASSERT_TRUE(QDir(dir.path()).mkdir("hstest"));
    EXPECT_EQ(UploadPageBase(), "http://club.example.net:8888/");
    ASSERT_TRUE(QDir(dir.path()).rmdir("hstest"));
    QFile marker(dir.filePath("hstest"));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    EXPECT_EQ(UploadAddress("Standart", "Normal", kAnn), "http://127.0.0.1:888/" + query);
}

TEST(HSUpload, TheReplayFollowsTheRecordInBase64UrlUnlessTheRequestWouldPassTheServersBound) {
    QTemporaryDir dir;
    const tScopedBaseDir baseDir(dir.path().toStdString());
    tGameRecord game;
    game.Settings = {0, 1, 3, 2};
    game.Seed = 0xFFFFFFFF;
    game.StartTime = kAnn.StartTime;
    game.Ticks = 9000;
    for (int64_t tick = 1; tick < game.Ticks; tick += 1 + tick % 7) {
        game.Presses.push_back({tick, static_cast<tActionSet>(1 + tick % 127)});
    }
    const std::string file = EncodeReplay(game);
    const std::string record = UploadAddress("Standart", "Normal", kAnn);

    const tReplayUpload upload = UploadAddressWithReplay("Standart", "Normal", kAnn, file);
    EXPECT_FALSE(upload.ReplayLeftOut);
    ASSERT_EQ(upload.Address.rfind(record + "&replay=", 0), 0u) << "the record's address is its prefix";
    const std::string encoded = upload.Address.substr(record.size() + 8);
    EXPECT_EQ(encoded.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_"),
              std::string::npos)
        << "no padding, nothing a browser would encode again";
    const auto bytes = QByteArray::fromBase64Encoding(QByteArray::fromStdString(encoded),
                                                      QByteArray::Base64UrlEncoding |
                                                          QByteArray::AbortOnBase64DecodingErrors);
    ASSERT_TRUE(bytes);
    const tReplayRead back = DecodeReplay(bytes.decoded.toStdString());
    ASSERT_TRUE(back.Record) << back.Problem;
    EXPECT_EQ(*back.Record, game);

    // The largest replay that fits leaves the address within the bound; one byte more goes without it.
    size_t fits = 0;
    for (size_t tooLarge = kMaxReplayAddress; tooLarge - fits > 1;) {
        const size_t middle = (fits + tooLarge) / 2;
        (ReplayFitsUpload("Standart", "Normal", kAnn, middle) ? fits : tooLarge) = middle;
    }
    EXPECT_GT(fits, 45000u);
    const tReplayUpload largest = UploadAddressWithReplay("Standart", "Normal", kAnn, std::string(fits, 'x'));
    EXPECT_FALSE(largest.ReplayLeftOut);
    EXPECT_LE(largest.Address.size(), kMaxReplayAddress);
    const tReplayUpload tooLong =
        UploadAddressWithReplay("Standart", "Normal", kAnn, std::string(fits + 1, 'x'));
    EXPECT_TRUE(tooLong.ReplayLeftOut);
    EXPECT_EQ(tooLong.Address, record);
    EXPECT_EQ(UploadAddressWithReplay("Standart", "Normal", kAnn, "").Address, record)
        << "no replay, as before";
}

TEST(HSUpload, TheDesktopsOpenerReceivesTheAddressByteForByte) {
    // A stand-in for the desktop's opener, first on the search path, writes down what it was given.
    QTemporaryDir bin;
    const QString seen = bin.filePath("seen");
    QFile opener(bin.filePath("xdg-open"));
    ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
    opener.write(("#!/bin/sh\nprintf '%s' \"$1\" > '" + seen + "'\n").toUtf8());
    opener.close();
    opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (bin.path().toStdString() + ":" + savedPath).c_str(), 1);

    const std::string address = UploadAddress("Standart", "Normal", kAnn);
    OpenWithDesktop(address);
    QFile result(seen);
    for (int waited = 0; waited < 10000 && result.size() != static_cast<qint64>(address.size());
         waited += 10) {
        QTest::qWait(10);
    }
    ASSERT_TRUE(result.open(QIODevice::ReadOnly));
    EXPECT_EQ(result.readAll().toStdString(), address);
    setenv("PATH", savedPath.c_str(), 1);
}
