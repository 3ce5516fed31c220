// SPDX-License-Identifier: GPL-3.0-or-later
#include "uHttpGet.h"
#include "uServerProcess.h"

#include "storage/uHSUpload.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ScoreServerLimits, UploadsBeyondTheRateOfAnAddressAreAnswered429WhilePagesStillShow) {
    QTemporaryDir dir;
    tServerProcess server;
    QString problem;
    ASSERT_TRUE(server.Start(dir.path(), {"--uploads-per-minute", "1", "--upload-burst", "2"}, problem))
        << problem.toStdString();
    std::vector<int> statuses;
    for (int32_t score = 100; score < 103; ++score) {
        const tResultRecord entry{
            {"07.03.05 21:15:00", "4:02", "1", "0", "9 [2,2/m]", "0 [0,0/m]"}, "Ann", 1, score};
        const std::string address = UploadAddress("Standart", "Hard", entry);
        statuses.push_back(HttpGet(server.Base().toUtf8() +
                                   QByteArray::fromStdString(address.substr(address.find("index.php"))))
                               .Status);
    }
    EXPECT_EQ(statuses, (std::vector<int>{200, 200, 429}));
    const tHttpReply page = HttpGet(server.Base().toUtf8() + "scores/Standart/Hard.json");
    EXPECT_EQ(page.Status, 200);
    EXPECT_EQ(page.Body.count("\"name\":\"Ann\""), 2);
}
