// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/uPackIni.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

struct tRun {
    int status = -1;
    std::string out;
    std::string err;
};

class DataTool : public ::testing::Test {
protected:
    QTemporaryDir dir;

    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }

    static tRun Run(const QStringList& args, const std::string& input = {}) {
        QProcess p;
        p.start(QString::fromLocal8Bit(std::getenv("STAKKAR_DATA_TOOL")), args);
        p.write(input.data(), static_cast<qint64>(input.size()));
        p.closeWriteChannel();
        p.waitForFinished(30000);
        return {p.exitCode(), p.readAllStandardOutput().toStdString(),
                p.readAllStandardError().toStdString()};
    }

    static std::string ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

TEST_F(DataTool, PacksEditsAndReadsACompressedFileTheGameCanRead) {
    const QString f = Q(Path("users.dat"));
    ASSERT_EQ(Run({"pack", f}, "[Ivan]\nLevel=3\r\nSound=1\n").status, 0);
    EXPECT_EQ(Run({"set", f, "ivan", "Skin", "Dark"}).status, 0);
    EXPECT_EQ(Run({"delete", f, "Ivan", "Sound"}).status, 0);

    tStringListPackedINI doc;
    doc.ReadCompressedFile(Path("users.dat"));
    EXPECT_EQ(doc.Lines(), (std::vector<std::string>{"[Ivan]", "Level=3", "Skin=Dark"}));

    EXPECT_EQ(Run({"unpack", f}).out, "[Ivan]\r\nLevel=3\r\nSkin=Dark\r\n");
    EXPECT_EQ(Run({"get", f, "Ivan", "Skin"}).out, "Dark\n");
    EXPECT_EQ(Run({"get", f, "Ivan", "Lang", "(Default)"}).out, "(Default)\n");
    EXPECT_EQ(Run({"getint", f, "Ivan", "Level", "0"}).out, "3\n");
    EXPECT_EQ(Run({"getint", f, "Ivan", "Skin", "-5"}).out, "-5\n");
    EXPECT_EQ(Run({"getbool", f, "Ivan", "Level", "0"}).out, "1\n");
    EXPECT_EQ(Run({"rename", f, "IVAN", "Petr"}).status, 0);
    EXPECT_EQ(Run({"sections", f}).out, "Petr\n");
}

TEST_F(DataTool, WorksOnPlainTextFilesWithPlain) {
    const std::string path = Path("skin.ini");
    std::ofstream(path) << "[General]\nBuild=64\n";
    EXPECT_EQ(Run({"--plain", "getint", Q(path), "General", "Build", "0"}).out, "64\n");
    EXPECT_EQ(Run({"--plain", "set", Q(path), "Common", "clrPanel", "$FF"}).status, 0);
    EXPECT_EQ(ReadBytes(path), "[General]\r\nBuild=64\r\n[Common]\r\nclrPanel=$FF\r\n");
}

TEST_F(DataTool, RefusesADamagedFileAndLeavesItUntouched) {
    const std::string path = Path("hscore.dat");
    std::ofstream(path) << "[Standart - Easy]\nName0=x\n";
    const std::string before = ReadBytes(path);
    for (const QStringList& args :
         {QStringList{"unpack", Q(path)}, QStringList{"set", Q(path), "A", "k", "v"}}) {
        const tRun r = Run(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(path), std::string::npos) << r.err;
        EXPECT_EQ(ReadBytes(path), before);
    }

    // A plain file that is there but cannot be read is not taken for an empty one and saved over.
    ASSERT_TRUE(QDir(dir.path()).mkdir("skin.ini"));
    const tRun r = Run({"--plain", "set", Q(Path("skin.ini")), "A", "k", "v"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot be read"), std::string::npos) << r.err;
    EXPECT_TRUE(QFileInfo(Q(Path("skin.ini"))).isDir());
}

TEST_F(DataTool, AMissingFileIsAnErrorExceptForTheCommandsThatCreateOne) {
    const QString missing = Q(Path("nowhere.ini"));
    for (const QStringList& args :
         {QStringList{"--plain", "get", missing, "General", "Build"}, QStringList{"unpack", missing},
          QStringList{"delete", missing, "A", "k"}}) {
        const tRun r = Run(args);
        EXPECT_EQ(r.status, 3) << args.join(' ').toStdString();
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("no such file"), std::string::npos) << r.err;
    }
    EXPECT_EQ(Run({"--plain", "set", missing, "General", "Build", "64"}).status, 0);
    EXPECT_EQ(Run({"--plain", "get", missing, "General", "Build"}).out, "64\n");
}

TEST_F(DataTool, ReportsBadUsageAndPrintsChecksums) {
    EXPECT_EQ(Run({}).status, 2);
    EXPECT_EQ(Run({"frobnicate", "x"}).status, 2);
    EXPECT_EQ(Run({"get", "x"}).status, 2);
    EXPECT_EQ(Run({"getint", "x", "S", "K", "abc"}).status, 2);
    EXPECT_EQ(Run({"getbool", "x", "S", "K", "2"}).status, 2);
    EXPECT_NE(Run({"--plain"}).err.find("usage"), std::string::npos);
    EXPECT_EQ(Run({"crc", "ABC"}).out, "3403398717\n");
    EXPECT_EQ(Run({"crc", ""}).out, "4294967295\n");
}
