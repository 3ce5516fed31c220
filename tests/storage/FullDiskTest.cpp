// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/uPackIni.h"
#include "tests/support/SmallDisk.h"

#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct tToolRun {
    int status = -1;
    std::string err;
};

tToolRun RunTool(const QStringList& args, const QByteArray& input = {}) {
    QProcess p;
    p.start(QString::fromLocal8Bit(std::getenv("STAKKAR_DATA_TOOL")), args);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(30000);
    return {p.exitCode(), p.readAllStandardError().toStdString()};
}

} // namespace

TEST(FullDisk, EverySaveKeepsTheOldFileAndTellsTheRealReason) {
    tSmallDisk disk;
    if (!disk.Mounted()) {
        GTEST_SKIP() << disk.Why();
    }
    tStringListPackedINI players;
    players.SetText("[Ann]\r\nLevel=3\r\n[Bob]\r\nLevel=5\r\n");
    const std::string users = disk.File("users.dat");
    players.SaveCompressedFile(users);
    const std::string skin = disk.File("skin.ini");
    std::ofstream(skin, std::ios::binary) << "[General]\r\nBuild=64\r\n";
    const std::string packedBefore = ReadBytes(users);
    const std::string plainBefore = ReadBytes(skin);
    disk.Fill();

    // Full first, then read-only as well: each save must name the one that stops it.
    struct tStop {
        bool readOnly;
        const char* reason;
    };
    for (const auto& [readOnly, reason] :
         {tStop{false, "No space left on device"}, tStop{true, "Read-only file system"}}) {
        if (readOnly) {
            ASSERT_TRUE(disk.MakeReadOnly());
        }
        // Small saves are the ones a buffered write reported as done while it stored nothing.
        players.WriteString("Ann", "Level", "4");
        try {
            players.SaveCompressedFile(users);
            ADD_FAILURE() << "a save reported success: " << reason;
        } catch (const tSaveError& e) {
            EXPECT_EQ(e.Reason(), reason);
        }
        const QString u = QString::fromStdString(users);
        for (const QStringList& args :
             {QStringList{"set", u, "Ann", "Level", "9"}, QStringList{"pack", u},
              QStringList{"--plain", "set", QString::fromStdString(skin), "A", "k", "v"}}) {
            const tToolRun run = RunTool(args, "[Ann]\r\n");
            EXPECT_EQ(run.status, 1) << args.join(' ').toStdString();
            EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
        }
        EXPECT_EQ(ReadBytes(users), packedBefore);
        EXPECT_EQ(ReadBytes(skin), plainBefore);
        // Nothing half-written is left beside them.
        EXPECT_EQ(QDir(QString::fromStdString(disk.Path())).entryList(QDir::Files).size(), 3);
    }
}

TEST(FullDisk, ATextTheNextReadWouldRefuseIsNotSaved) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("hscore.dat").toStdString();
    tStringListPackedINI doc;
    doc.Add("[Keep]");
    doc.SaveCompressedFile(path);
    const std::string before = ReadBytes(path);
    doc.Add("Big=" + std::string(kMaxPackedText, 'x'));
    EXPECT_THROW(doc.SaveCompressedFile(path), tSaveError);
    EXPECT_EQ(ReadBytes(path), before);
}
