// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uDataFolder.h"
#include "platform/uSaveFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(DataFolder, TheNamedFolderThenAGameFolderThenTheUsersDataFolder) {
    QTemporaryDir work;
    const std::string folder = work.path().toStdString();
    const std::string home = "/home/ivan";

    EXPECT_EQ(ChooseDataFolder("games/mine", folder, "", home), folder + "/games/mine");
    EXPECT_EQ(ChooseDataFolder("/srv/stakkar/", folder, "", home), "/srv/stakkar");
    EXPECT_EQ(ChooseDataFolder("", folder, "", home), "/home/ivan/.local/share/stakkar");
    EXPECT_EQ(ChooseDataFolder("", folder, "/data", home), "/data/stakkar");
    EXPECT_EQ(ChooseDataFolder("", folder, "relative/data", home), "/home/ivan/.local/share/stakkar");

    // Each thing a game folder holds makes it one.
    for (const QString entry : {"skin/", "lang/", "users.dat", "hscore.dat"}) {
        QTemporaryDir game;
        const QString path = game.filePath(entry);
        ASSERT_TRUE(entry.endsWith('/') ? QDir().mkpath(path) : QFile(path).open(QIODevice::WriteOnly));
        EXPECT_EQ(ChooseDataFolder("", game.path().toStdString(), "/data", home), game.path().toStdString())
            << entry.toStdString();
    }
}

TEST(DataFolder, TheFirstSaveMakesTheMissingFoldersPrivateToTheUser) {
    QTemporaryDir home;
    const std::string folder = home.path().toStdString() + "/.local/share/stakkar";
    WriteFileAtomically(folder + "/users.dat", "bytes");

    QFile saved(QString::fromStdString(folder + "/users.dat"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), "bytes");
    struct stat info {};
    ASSERT_EQ(::stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    // A folder that cannot be made fails the save with the system's reason.
    QFile(home.filePath("plain")).open(QIODevice::WriteOnly);
    try {
        WriteFileAtomically(home.path().toStdString() + "/plain/sub/users.dat", "bytes");
        ADD_FAILURE() << "the save went through";
    } catch (const tSaveError& error) {
        EXPECT_EQ(error.Reason(), "Not a directory");
    }
}
