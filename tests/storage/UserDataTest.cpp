// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/uUserData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>

TEST(UserData, DamagedFileIsKeptAsideRemovedAndToldOnce) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("users.dat").toStdString();
    std::ofstream(path, std::ios::binary) << "not a zlib stream at all";
    tUsersFile first = ReadUsersFile(path);
    EXPECT_TRUE(first.writable);
    EXPECT_EQ(first.ini.Count(), 0);
    EXPECT_TRUE(first.damage.tell);
    EXPECT_EQ(first.damage.keptAs, "users.dat.damaged");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
    QFile copy(dir.filePath("users.dat.damaged"));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), QByteArray("not a zlib stream at all"));
    const tUsersFile second = ReadUsersFile(path);
    EXPECT_FALSE(second.damage.tell);
    EXPECT_TRUE(second.writable);
}

TEST(UserData, DamagedFileThatCannotBeKeptAsideIsNeverSavedOver) {
    // Something unreadable in the file's place that cannot be copied either: a folder.
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("users.dat/inside"));
    const std::string path = dir.filePath("users.dat").toStdString();
    const tUsersFile file = ReadUsersFile(path);
    EXPECT_FALSE(file.writable);
    EXPECT_TRUE(file.damage.tell);
    EXPECT_FALSE(ReadUsersFile(path).damage.tell) << "told once";
    EXPECT_TRUE(QFileInfo(dir.filePath("users.dat/inside")).isDir());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("users.dat.damaged")));
}

TEST(UserData, NamesThatWouldBreakTheFileAreRefused) {
    EXPECT_TRUE(ValidUserName("Ann Smith"));
    for (const std::string& bad :
         std::vector<std::string>{"", "a]b", "[x", std::string("a\0b", 3), "a\rb", "a\nb"})
        EXPECT_FALSE(ValidUserName(bad)) << bad;
}
