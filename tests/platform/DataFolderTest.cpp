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

    // Only the players' or the high score file makes a game folder: skins and languages alone, as in a source
    // tree or a downloads folder, do not.
    for (const QString entry : {"users.dat", "hscore.dat", "skin/", "lang/"}) {
        QTemporaryDir game;
        const QString path = game.filePath(entry);
        ASSERT_TRUE(entry.endsWith('/') ? QDir().mkpath(path) : QFile(path).open(QIODevice::WriteOnly));
        const bool dataFile = entry.endsWith(".dat");
        EXPECT_EQ(ChooseDataFolder("", game.path().toStdString(), "/data", home),
                  dataFile ? game.path().toStdString() : "/data/stakkar")
            << entry.toStdString();
    }
}

TEST(DataFolder, ANamedFolderMustBeAFolderOrOneTheFirstSaveCanMake) {
    QTemporaryDir work;
    const std::string folder = work.path().toStdString();
    EXPECT_EQ(NamedFolderProblem(".", folder), "");
    EXPECT_EQ(NamedFolderProblem("new/games", folder), "");
    ASSERT_TRUE(QFile::link(work.filePath("nowhere"), work.filePath("dangling")));
    EXPECT_EQ(NamedFolderProblem("dangling/games", folder),
              folder + "/dangling/games cannot be made: " + folder +
                  "/dangling is not a folder; players and high scores could not be saved there");
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
