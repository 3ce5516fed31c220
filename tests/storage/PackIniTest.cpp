// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/uPackIni.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <zlib.h>

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class PackedFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }
};

} // namespace

TEST_F(PackedFile, EmptyDocumentIsTheEightByteStreamOfNothing) {
    tStringListPackedINI doc;
    doc.SaveCompressedFile(Path("e.dat"));
    EXPECT_EQ(ReadBytes(Path("e.dat")), std::string("\x78\xDA\x03\x00\x00\x00\x00\x01", 8));
    tStringListPackedINI back;
    back.Add("old");
    back.ReadCompressedFile(Path("e.dat"));
    EXPECT_EQ(back.Count(), 0);
}

TEST_F(PackedFile, StoresTheWholeTextWithCrLfAtLevelNine) {
    tStringListPackedINI doc;
    doc.Add("[A]");
    doc.Add("k=v");
    doc.SaveCompressedFile(Path("a.dat"));
    const std::string bytes = ReadBytes(Path("a.dat"));
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\x78\xDA");
    EXPECT_EQ(UnpackText(bytes), "[A]\r\nk=v\r\n");
    tStringListPackedINI back;
    back.ReadCompressedFile(Path("a.dat"));
    EXPECT_EQ(back.Lines(), (std::vector<std::string>{"[A]", "k=v"}));
}

TEST_F(PackedFile, MissingOrEmptyFileReadsAsEmptyAndSavingKeepsOnlyNewContent) {
    tStringListPackedINI doc;
    doc.Add("stale");
    doc.ReadCompressedFile(Path("none.dat"));
    EXPECT_EQ(doc.Count(), 0);
    doc.WriteString("P", "k", "1");
    doc.SaveCompressedFile(Path("none.dat"));
    EXPECT_EQ(UnpackText(ReadBytes(Path("none.dat"))), "[P]\r\nk=1\r\n");

    WriteBytes(Path("zero.dat"), "");
    doc.ReadCompressedFile(Path("zero.dat"));
    EXPECT_EQ(doc.Count(), 0);
}

TEST_F(PackedFile, PlainTextOrGarbageIsAnErrorAndTheDocumentStaysAsItWas) {
    WriteBytes(Path("plain.dat"), "[Players]\r\nName=x\r\n");
    tStringListPackedINI doc;
    doc.Add("kept");
    try {
        doc.ReadCompressedFile(Path("plain.dat"));
        FAIL() << "a plain-text file was read as compressed";
    } catch (const tPackError& e) {
        EXPECT_STREQ(e.what(), "Error");
    }
    EXPECT_EQ(doc.Lines(), std::vector<std::string>{"kept"});

    std::string damaged = PackText("[A]\r\nk=v\r\n");
    damaged[3] = static_cast<char>(damaged[3] ^ 0xFF);
    WriteBytes(Path("flip.dat"), damaged);
    EXPECT_THROW(doc.ReadCompressedFile(Path("flip.dat")), tPackError);
    EXPECT_EQ(doc.Lines(), std::vector<std::string>{"kept"});
}

TEST_F(PackedFile, CutStreamGivesWhatWasDecodedAndTrailingBytesAreIgnored) {
    std::string text;
    for (int i = 0; i < 2000; ++i) {
        text += "line" + std::to_string(i) + "=" + std::to_string(i * 7919) + "\r\n";
    }
    const std::string packed = PackText(text);
    const std::string cut = UnpackText(packed.substr(0, packed.size() / 2));
    EXPECT_FALSE(cut.empty());
    EXPECT_LT(cut.size(), text.size());
    EXPECT_EQ(text.compare(0, cut.size(), cut), 0);
    EXPECT_EQ(UnpackText(packed.substr(0, 1)), "");

    EXPECT_EQ(UnpackText(packed + "trailing garbage \x01\x02"), text);
}

TEST_F(PackedFile, TextEndsAtTheFirstNul) {
    WriteBytes(Path("nul.dat"), PackText(std::string("[A]\r\nk=v\0x=y\r\n[B]\r\n", 18)));
    tStringListPackedINI doc;
    doc.ReadCompressedFile(Path("nul.dat"));
    EXPECT_EQ(doc.Lines(), (std::vector<std::string>{"[A]", "k=v"}));
}

TEST_F(PackedFile, RefusesTextsThatInflatePastSixteenMebibytes) {
    const std::string bomb = PackText(std::string(20u << 20, 'a'));
    EXPECT_LT(bomb.size(), 64u * 1024);
    EXPECT_THROW(UnpackText(bomb), tPackError);
    // A NUL before the limit ends the text first, so the rest is never inflated.
    std::string early(20u << 20, 'a');
    early[100] = '\0';
    EXPECT_EQ(UnpackText(PackText(early)), std::string(100, 'a'));
}

TEST_F(PackedFile, AHugeFileOfTrailingBytesIsNotReadWhole) {
    const std::string path = Path("huge.dat");
    WriteBytes(path, PackText("[A]\r\nk=v\r\n"));
    // A sparse gigabyte after the stream: cheap on disk, costly if read into memory.
    ASSERT_EQ(::truncate(path.c_str(), off_t{1} << 30), 0);
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    tStringListPackedINI doc;
    doc.ReadCompressedFile(path);
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    EXPECT_EQ(doc.Lines(), (std::vector<std::string>{"[A]", "k=v"}));
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 256 * 1024) << "kilobytes";
}

TEST_F(PackedFile, LongLinesSurviveASaveAndARead) {
    tStringListPackedINI doc;
    doc.Add(std::string(1025, 'x'));
    doc.Add("k=" + std::string(100000, 'y'));
    doc.Add("");
    doc.SaveCompressedFile(Path("long.dat"));
    tStringListPackedINI back;
    back.ReadCompressedFile(Path("long.dat"));
    EXPECT_EQ(back.Lines(), doc.Lines());
}

TEST_F(PackedFile, AFailedSaveLeavesThePreviousFileWhole) {
    tStringListPackedINI original;
    original.Add("[Keep]");
    original.SaveCompressedFile(Path("keep.dat"));
    const std::string before = ReadBytes(Path("keep.dat"));

    // A disk that fills up during the write: the file size limit makes write() fail with EFBIG.
    tStringListPackedINI big;
    for (int i = 0; i < 5000; ++i) {
        big.Add("entry" + std::to_string(i) + "=" + std::to_string(i * 2654435761u));
    }
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THROW(big.SaveCompressedFile(Path("keep.dat")), tSaveError);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(ReadBytes(Path("keep.dat")), before);

    // A folder that cannot be written to.
    WriteBytes(Path("notadir"), "x");
    EXPECT_THROW(big.SaveCompressedFile(Path("notadir") + "/keep.dat"), tSaveError);
    EXPECT_THROW(big.SaveCompressedFile(Path("notadir") + "/missing/keep.dat"), tSaveError);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(PackedFile, DamagedFilesAreCopiedAsideWithoutOverwritingEarlierCopies) {
    WriteBytes(Path("hscore.dat"), "broken 1");
    EXPECT_EQ(KeepDamagedFile(Path("hscore.dat")), Path("hscore.dat.damaged"));
    WriteBytes(Path("hscore.dat"), "broken 2");
    EXPECT_EQ(KeepDamagedFile(Path("hscore.dat")), Path("hscore.dat.damaged.1"));
    EXPECT_EQ(ReadBytes(Path("hscore.dat.damaged")), "broken 1");
    EXPECT_EQ(ReadBytes(Path("hscore.dat.damaged.1")), "broken 2");
    EXPECT_EQ(ReadBytes(Path("hscore.dat")), "broken 2");
    EXPECT_EQ(KeepDamagedFile(Path("absent.dat")), "");
}

TEST_F(PackedFile, AcceptsAnyValidZlibStream) {
    const std::string text = "[A]\r\nk=v\r\n";
    uLongf size = compressBound(static_cast<uLong>(text.size()));
    std::string fast(size, '\0');
    ASSERT_EQ(compress2(reinterpret_cast<Bytef*>(fast.data()), &size,
                        reinterpret_cast<const Bytef*>(text.data()), static_cast<uLong>(text.size()), 1),
              Z_OK);
    fast.resize(size);
    EXPECT_EQ(UnpackText(fast), text);
}

TEST_F(PackedFile, ReadingADataFileRemovesWhatKilledSavesLeftButNotALiveSavesCopy) {
    tStringListPackedINI doc;
    doc.Add("[Ann]");
    doc.SaveCompressedFile(Path("users.dat"));
    const std::string copy = PackText("[Old]\r\n");
    for (const char* name :
         {"users.dat.AbC123", "users.dat.Zz9999", "users.dat.long123", "hscore.dat.AbC123"}) {
        WriteBytes(Path(name), copy);
    }
    // A save under way holds a lock on its copy.
    const int live = ::open(Path("users.dat.Zz9999").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(live, LOCK_EX), 0);
    tStringListPackedINI read;
    EXPECT_FALSE(ReadDataFile(read, Path("users.dat")).damaged);
    ::close(live);
    EXPECT_EQ(read.Text(), "[Ann]\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              (QStringList{"hscore.dat.AbC123", "users.dat", "users.dat.long123", "users.dat.Zz9999"}));
}
