// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uGameModel.h"
#include "core/uRandom.h"
#include "engine/uhiscore.h"
#include "look/uLang.h"
#include "platform/uBaseDir.h"
#include "platform/uCodePage.h"
#include "platform/uMessage.h"
#include "storage/uCRC32.h"
#include "storage/uPackIni.h"
#include "storage/uReplayFile.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/ScopedBaseDir.h"
#include "tests/support/SmallDisk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

const std::string kSection = "Standart_Normal";

class HiScore : public ::testing::Test {
protected:
    QTemporaryDir dir;
    tScopedBaseDir baseDir{dir.path().toStdString()};
    tMessageRecorder recorder;
    std::vector<std::string>& messages = recorder.messages;

    void SetUp() override {
        LoadLanguageResource();
        LoadDefaultLanguage();
    }

    static std::string FilePath() { return BasePath("hscore.dat"); }

    static tHS Stored(int32_t slot, const std::string& name, int32_t level, int32_t score,
                      const std::string& start = "01.02.05 10:00:00") {
        tHS e = PlaceholderHS(slot);
        e.Name = name;
        e.Level = level;
        e.Score = score;
        e.StartTime = start;
        return e;
    }

    static void WriteFile(const std::vector<tHS>& entries, const std::string& section = kSection) {
        tStringListPackedINI doc;
        for (const auto& e : entries) {
            WriteHSSlot(doc, section, StoredForm(section, e));
        }
        doc.SaveCompressedFile(FilePath());
    }

    static tStringListPackedINI ReadFile() {
        tStringListPackedINI doc;
        doc.ReadCompressedFile(FilePath());
        return doc;
    }

    static std::string Bytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    static std::vector<std::string> Row(const tHiScore& t, int row) {
        return {t.Cell(0, row).toStdString(), t.Cell(1, row).toStdString(), t.Cell(2, row).toStdString()};
    }

    // The well's entry of a game: the player, level and score, and the texts of a game over.
    static tHS Game(const std::string& name, int32_t level, int32_t score) {
        tHS e;
        static_cast<tResultTexts&>(e) = {"07.03.05 21:15:00", "4:02", "3", "2", "96 [23,8/m]", "31 [7,7/m]"};
        e.Name = name;
        e.Level = level;
        e.Score = score;
        return e;
    }
    static tLiveGame Live(const std::string& name, int32_t level, int32_t score) {
        return {true, Game(name, level, score)};
    }

    std::string MismatchMessage() const {
        return (LangText("s0002") + "\n\r" + LangText("s0003")).toStdString();
    }
};

} // namespace

TEST_F(HiScore, AFirstGameWithoutAFileShowsFifteenUnknownRowsAndThePlayerLast) {
    tHiScore table;
    table.LoadTable("Standart", "Normal", "Ivan");
    EXPECT_EQ(table.Title(), ":: High Scores [Standart:Normal] ::");
    EXPECT_EQ(Row(table, 0), (std::vector<std::string>{"Name", "Level", "Score"}));
    for (int row = 1; row <= 15; ++row) {
        EXPECT_EQ(Row(table, row), (std::vector<std::string>{"Unknown", "0", "0"})) << row;
    }
    EXPECT_EQ(Row(table, 16), (std::vector<std::string>{"Ivan", "1", "0"}));
    EXPECT_EQ(table.CurrentRow(), 16);
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(FilePath()))) << "loading never writes";
}

TEST_F(HiScore, AScoreOfZeroNeverEntersButTheFileIsStillWritten) {
    tHiScore table;
    table.LoadTable("Standart", "Normal", "Ivan");
    table.UpdateCurrent(Live("Ivan", 3, 0));
    EXPECT_EQ(table.CurrentRow(), 16);
    EXPECT_EQ(Row(table, 16), (std::vector<std::string>{"Ivan", "3", "0"}));
    table.SaveResult(Game("Ivan", 3, 0), tGameRecord{});
    ASSERT_TRUE(QFileInfo::exists(QString::fromStdString(FilePath())));
    EXPECT_EQ(ReadFile().Count(), 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(HiScore, TheLiveRowMovesUpPastLowerScoresAndHigherLevelsOnly) {
    WriteFile(
        {Stored(1, "A", 5, 300), Stored(2, "B", 4, 200), Stored(3, "C", 6, 200), Stored(4, "D", 2, 100)});
    tHiScore table;
    table.LoadTable("Standart", "Normal", "Ivan");
    EXPECT_EQ(Row(table, 1), (std::vector<std::string>{"A", "5", "300"}));
    EXPECT_EQ(Row(table, 2), (std::vector<std::string>{"B", "4", "200"}));
    EXPECT_EQ(Row(table, 3), (std::vector<std::string>{"C", "6", "200"}));
    EXPECT_EQ(Row(table, 4), (std::vector<std::string>{"D", "2", "100"}));
    EXPECT_EQ(table.CurrentRow(), 16);

    table.UpdateCurrent(Live("Ivan", 1, 50));
    EXPECT_EQ(table.CurrentRow(), 5);
    EXPECT_EQ(Row(table, 5), (std::vector<std::string>{"Ivan", "1", "50"}));
    EXPECT_EQ(Row(table, 6), (std::vector<std::string>{"Unknown", "0", "0"}));
    EXPECT_EQ(Row(table, 16), (std::vector<std::string>{"Unknown", "0", "0"}));

    // Equal score: above the higher level, below the lower one.
    table.UpdateCurrent(Live("Ivan", 5, 200));
    EXPECT_EQ(table.CurrentRow(), 3);
    EXPECT_EQ(Row(table, 2), (std::vector<std::string>{"B", "4", "200"}));
    EXPECT_EQ(Row(table, 3), (std::vector<std::string>{"Ivan", "5", "200"}));
    EXPECT_EQ(Row(table, 4), (std::vector<std::string>{"C", "6", "200"}));
    EXPECT_EQ(Row(table, 5), (std::vector<std::string>{"D", "2", "100"}));

    // A level rise with no score change rewrites the row in place; it never moves down.
    table.UpdateCurrent(Live("Ivan", 7, 200));
    EXPECT_EQ(table.CurrentRow(), 3);
    EXPECT_EQ(Row(table, 3), (std::vector<std::string>{"Ivan", "7", "200"}));

    table.UpdateCurrent(Live("Ivan", 8, 1000));
    EXPECT_EQ(table.CurrentRow(), 1);
    EXPECT_EQ(Row(table, 1), (std::vector<std::string>{"Ivan", "8", "1000"}));
    EXPECT_EQ(Row(table, 2), (std::vector<std::string>{"A", "5", "300"}));
    EXPECT_EQ(Row(table, 16), (std::vector<std::string>{"Unknown", "0", "0"}));
}

TEST_F(HiScore, APushReachesTheViewsOnlyWhenTheRowOrPlayingChanges) {
    tHiScore table;
    table.LoadTable("Standart", "Normal", "Ivan");
    int heard = 0;
    const tSubscription view = table.ObserveGrid([&] { ++heard; });
    EXPECT_FALSE(table.GamePlaying());
    EXPECT_EQ(table.CurrentEntry().PlayTime, "0:00") << "the texts of a game not yet begun";

    table.UpdateCurrent(tLiveGame{false, Game("Ivan", 1, 0)});
    EXPECT_EQ(heard, 0);
    table.UpdateCurrent(Live("Ivan", 1, 0));
    EXPECT_EQ(heard, 1);
    EXPECT_TRUE(table.GamePlaying());
    tLiveGame later = Live("Ivan", 1, 0);
    later.Entry.PlayTime = "4:03";
    table.UpdateCurrent(later);
    EXPECT_EQ(heard, 1) << "the texts alone change no cell";
    EXPECT_EQ(table.CurrentEntry().PlayTime, "4:03");
    table.UpdateCurrent(Live("Ivan", 2, 0));
    EXPECT_EQ(heard, 2);
    EXPECT_EQ(Row(table, 16), (std::vector<std::string>{"Ivan", "2", "0"}));

    table.LoadTable("Standart", "Normal", "Olga");
    EXPECT_TRUE(table.GamePlaying()) << "only the well says when its game ends";
    EXPECT_EQ(table.CurrentEntry().Name, "Olga");
    EXPECT_EQ(table.CurrentEntry().Level, 1);
}

TEST_F(HiScore, EqualScoresRankByLowerLevelThenEarlierStart) {
    WriteFile({Stored(1, "Late", 3, 700, "02.01.05 09:00:00"),
               Stored(2, "HighLevel", 4, 700, "01.01.05 09:00:00"),
               Stored(3, "Early", 3, 700, "01.01.05 09:00:00"),
               Stored(4, "Nineties", 3, 700, "01.01.99 09:00:00")});
    tHiScore table;
    table.LoadTable("Standart", "Normal", "Ivan");
    // 99 is 1999, earlier than any year the game itself has written.
    EXPECT_EQ(table.Record(1).Name, "Nineties");
    EXPECT_EQ(table.Record(2).Name, "Early");
    EXPECT_EQ(table.Record(3).Name, "Late");
    EXPECT_EQ(table.Record(4).Name, "HighLevel");
}

TEST_F(HiScore, AResultTakesTheKeyGroupOfTheEntryRanked15th) {
    // Fifteen results, stored out of rank order; the lowest (score 100) lives in key group 7.
    std::vector<tHS> entries;
    const int32_t scores[] = {900,  1500, 300,  1200, 500,  1100, 100, 800,
                              1400, 200,  1000, 600,  1300, 400,  700};
    for (int32_t n = 1; n <= 15; ++n) {
        entries.push_back(Stored(n, "P" + std::to_string(n), 1, scores[n - 1]));
    }
    WriteFile(entries);
    tHiScore table;
    table.LoadTable("Standart", "Normal", "Ivan");
    EXPECT_EQ(table.Record(15).Slot, 7);
    table.UpdateCurrent(Live("Ivan", 6, 450));
    EXPECT_EQ(table.CurrentRow(), 12);
    EXPECT_EQ(Row(table, 16), (std::vector<std::string>{"P7", "1", "100"}));
    table.SaveResult(Game("Ivan", 6, 450), tGameRecord{});

    const tStringListPackedINI doc = ReadFile();
    EXPECT_EQ(doc.ReadString(kSection, "7Name", ""), "Ivan");
    EXPECT_EQ(doc.ReadString(kSection, "7Figures", ""), "96 [23,8/m]");
    EXPECT_EQ(doc.ReadString(kSection, "6Name", ""), "P6");

    tHiScore again;
    again.LoadTable("Standart", "Normal", "Olga");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(again.Record(12).Name, "Ivan");
    EXPECT_EQ(again.Record(12).Level, 6);
    EXPECT_EQ(again.Record(12).StartTime, "07.03.05 21:15:00");
    EXPECT_EQ(again.Record(12).PlayTime, "4:02");
    EXPECT_EQ(again.Record(12).StartLevel, "3");
    EXPECT_EQ(again.Record(12).BrokenLines, "2");
    EXPECT_EQ(again.Record(12).Cleared, "31 [7,7/m]");
    EXPECT_EQ(again.Record(15).Name, "P10");
    for (int i = 1; i <= 15; ++i) {
        EXPECT_NE(again.Record(i).Name, "P7");
    }
}

TEST_F(HiScore, AFullTieOfEmptySlotsSendsTheFirstResultToTheSlotSelectionLeftLast) {
    WriteFile({Stored(15, "Only", 1, 10)});
    tHiScore table;
    table.LoadTable("Standart", "Normal", "Ivan");
    table.UpdateCurrent(Live("Ivan", 1, 5));
    table.SaveResult(Game("Ivan", 1, 5), tGameRecord{});
    const tStringListPackedINI doc = ReadFile();
    EXPECT_EQ(doc.ReadString(kSection, "1Name", ""), "Ivan");
    EXPECT_EQ(doc.ReadString(kSection, "15Name", ""), "Only");
}

TEST_F(HiScore, ACaseOnlyEditKeepsAnEntryAndAnyOtherEditDropsItWithOneMessage) {
    WriteFile({Stored(3, "Ivan", 2, 400), Stored(5, "Olga", 2, 300)});
    tStringListPackedINI doc = ReadFile();
    doc.WriteString(kSection, "3Name", "IVAN");
    doc.SaveCompressedFile(FilePath());
    tHiScore table;
    table.LoadTable("Standart", "Normal", "P");
    EXPECT_EQ(table.Record(1).Name, "IVAN");
    EXPECT_TRUE(messages.empty());

    doc.WriteString(kSection, "3Score", "4000");
    doc.DeleteKey(kSection, "5StartTime");
    doc.SaveCompressedFile(FilePath());
    table.LoadTable("Standart", "Normal", "P");
    EXPECT_EQ(messages, std::vector<std::string>{MismatchMessage()});
    EXPECT_EQ(messages[0], "Mismatch in checksum of record table.\n\rAll incorrect records removed.");
    for (int i = 1; i <= 15; ++i) {
        EXPECT_EQ(table.Record(i).Name, "Unknown");
        EXPECT_EQ(table.Record(i).Score, 0);
    }
    EXPECT_EQ(ReadFile().Text(), doc.Text()) << "loading leaves the damaged keys in the file";
    table.LoadTable("Standart", "Normal", "P");
    EXPECT_EQ(messages.size(), 2u) << "one message a load, as long as the file holds the entry";
}

TEST_F(HiScore, ADroppedEntrysSlotIsReusedByTheNextResultAndTheMessageStops) {
    std::vector<tHS> entries;
    for (int32_t n = 1; n <= 15; ++n) {
        entries.push_back(Stored(n, "P" + std::to_string(n), 1, 100 * n));
    }
    WriteFile(entries);
    tStringListPackedINI doc = ReadFile();
    doc.WriteString(kSection, "4Name", "Forged");
    doc.SaveCompressedFile(FilePath());
    tHiScore table;
    table.LoadTable("Standart", "Normal", "Ivan");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(table.Record(15).Slot, 4);
    table.UpdateCurrent(Live("Ivan", 1, 50));
    table.SaveResult(Game("Ivan", 1, 50), tGameRecord{});
    EXPECT_EQ(ReadFile().ReadString(kSection, "4Name", ""), "Ivan");
    table.LoadTable("Standart", "Normal", "Ivan");
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(table.Record(15).Name, "Ivan");
}

TEST_F(HiScore, AForgedChecksumOverALevelThatIsNoNumberDropsTheEntryWithoutStoppingTheLoad) {
    tStringListPackedINI doc;
    tHSStored s = StoredForm(kSection, Stored(2, "Cheat", 1, 100));
    s.Values[tResultField::Level] = "many";
    s.Crc32 = HSChecksum(kSection, s);
    WriteHSSlot(doc, kSection, s);
    WriteHSSlot(doc, kSection, StoredForm(kSection, Stored(4, "Fair", 1, 50)));
    doc.SaveCompressedFile(FilePath());
    tHiScore table;
    table.LoadTable("Standart", "Normal", "P");
    EXPECT_EQ(table.Record(1).Name, "Fair");
    EXPECT_EQ(messages, std::vector<std::string>{MismatchMessage()});
}

TEST_F(HiScore, EntryTextsLongerThan255CharactersAreStoredAndVerifiedAlike) {
    const std::string longName(300, 'z');
    tHiScore table;
    table.LoadTable("Standart", "Normal", longName);
    table.UpdateCurrent(Live(longName, 2, 20));
    table.SaveResult(Game(longName, 2, 20), tGameRecord{});
    const tStringListPackedINI doc = ReadFile();
    const std::string text =
        kSection + longName + "220" + "07.03.05 21:15:00" + "4:02" + "3" + "2" + "96 [23,8/m]" + "31 [7,7/m]";
    ASSERT_GT(text.size(), 255u);
    EXPECT_EQ(doc.ReadString(kSection, "15Crc32", ""), std::to_string(TextCrc32(text)));
    table.LoadTable("Standart", "Normal", "P");
    EXPECT_EQ(table.Record(1).Name, longName);
    EXPECT_TRUE(messages.empty());
}

TEST_F(HiScore, InterruptingAGameDropsTheLiveRowAndWritesNothing) {
    WriteFile({Stored(1, "A", 1, 100)});
    const std::string before = Bytes(FilePath());
    tHiScore table;
    table.LoadTable("Standart", "Normal", "Ivan");
    table.UpdateCurrent(Live("Ivan", 4, 5000));
    EXPECT_EQ(table.CurrentRow(), 1);
    table.LoadTable("Standart", "Normal", "Ivan");
    EXPECT_EQ(table.CurrentRow(), 16);
    EXPECT_EQ(Row(table, 1), (std::vector<std::string>{"A", "1", "100"}));
    EXPECT_EQ(Row(table, 16), (std::vector<std::string>{"Ivan", "1", "0"}));
    EXPECT_EQ(Bytes(FilePath()), before);
}

TEST_F(HiScore, TablesOfOtherKindsStayApartAndUntouched) {
    WriteFile({Stored(1, "Ext", 1, 100)}, "Extended_Easy");
    tHiScore table;
    table.LoadTable("Standart", "Normal", "Ivan");
    EXPECT_EQ(table.Record(1).Name, "Unknown");
    table.UpdateCurrent(Live("Ivan", 1, 10));
    table.SaveResult(Game("Ivan", 1, 10), tGameRecord{});
    const tStringListPackedINI doc = ReadFile();
    EXPECT_EQ(doc.ReadString("Extended_Easy", "1Name", ""), "Ext");
    EXPECT_EQ(doc.ReadString(kSection, "15Name", ""), "Ivan");
}

TEST_F(HiScore, TitleAndHeadersFollowTheLanguage) {
    tHiScore table;
    table.LoadTable("Extended", "Hard", "Ivan");
    LanguageTable.texts[static_cast<size_t>(LanguageSlot("s1400"))] = "Rekordy";
    LanguageTable.texts[static_cast<size_t>(LanguageSlot("s1403"))] = "Ochki";
    ApplyLanguage();
    EXPECT_EQ(table.Title(), ":: Rekordy [Extended:Hard] ::");
    EXPECT_EQ(table.Cell(2, 0), "Ochki");
    LoadDefaultLanguage();
    EXPECT_EQ(table.Cell(2, 0), "Score");
}

TEST_F(HiScore, ADamagedFileIsMovedAsideOnceAndTheTableStartsEmpty) {
    {
        std::ofstream out(FilePath(), std::ios::binary);
        out << "this is no zlib stream";
    }
    tHiScore table;
    table.LoadTable("Standart", "Normal", "Ivan");
    ASSERT_EQ(messages.size(), 1u);
    // Not the checksum message: the file could not be read at all, and the player learns where it went.
    EXPECT_EQ(messages[0], "hscore.dat could not be read: the high score tables start empty. The old file is "
                           "kept as hscore.dat.damaged.");
    EXPECT_EQ(Bytes(FilePath() + ".damaged"), "this is no zlib stream");
    EXPECT_EQ(Row(table, 1), (std::vector<std::string>{"Unknown", "0", "0"}));
    EXPECT_EQ(Row(table, 16), (std::vector<std::string>{"Ivan", "1", "0"}));

    table.LoadTable("Standart", "Normal", "Ivan");
    EXPECT_EQ(messages.size(), 1u) << "the player is told once";
    table.UpdateCurrent(Live("Ivan", 2, 30));
    table.SaveResult(Game("Ivan", 2, 30), tGameRecord{});
    EXPECT_EQ(ReadFile().ReadString(kSection, "15Name", ""), "Ivan");
    EXPECT_EQ(Bytes(FilePath() + ".damaged"), "this is no zlib stream");
}

TEST_F(HiScore, AFileDamagedDuringAGameIsKeptAsideBeforeTheResultIsSaved) {
    WriteFile({Stored(1, "A", 1, 100)});
    tHiScore table;
    table.LoadTable("Standart", "Normal", "Ivan");
    table.UpdateCurrent(Live("Ivan", 2, 300));
    {
        std::ofstream out(FilePath(), std::ios::binary | std::ios::trunc);
        out << "broken";
    }
    table.SaveResult(Game("Ivan", 2, 300), tGameRecord{});
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(Bytes(FilePath() + ".damaged"), "broken");
    // The copy was made first; then the result went into a new file of its own.
    const tStringListPackedINI doc = ReadFile();
    EXPECT_EQ(doc.ReadString(kSection, "15Name", ""), "Ivan");
    EXPECT_EQ(doc.ReadString(kSection, "1Name", "none"), "none");
}

TEST_F(HiScore, ADamagedFileThatCannotBeCopiedAsideIsNeverSavedOver) {
    // Something unreadable in the file's place that cannot be copied either: a folder.
    ASSERT_TRUE(QDir(dir.path()).mkpath("hscore.dat/inside"));
    tHiScore table;
    table.LoadTable("Standart", "Normal", "Ivan");
    table.LoadTable("Standart", "Normal", "Ivan");
    EXPECT_EQ(Row(table, 16), (std::vector<std::string>{"Ivan", "1", "0"}));
    table.UpdateCurrent(Live("Ivan", 2, 30));
    table.SaveResult(Game("Ivan", 2, 30), tGameRecord{});
    ASSERT_EQ(messages.size(), 1u) << "told once";
    EXPECT_EQ(messages[0], "hscore.dat could not be read and is left as it is: results cannot be saved.");
    EXPECT_TRUE(QFileInfo(QString::fromStdString(FilePath() + "/inside")).isDir());
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(FilePath() + ".damaged")));
}

namespace {
// The immutable flag: even root can neither remove nor replace such a file.
bool SetImmutable(const std::string& path, bool on) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        return false;
    }
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return done;
}
} // namespace

TEST_F(HiScore, ADamagedFileThatCanBeCopiedButNotRemovedLeavesNoPileOfCopies) {
    std::ofstream(FilePath()) << "[Standart_Normal]\n1Name=plain text\n";
    if (!SetImmutable(FilePath(), true)) {
        GTEST_SKIP() << "this file system has no immutable flag";
    }
    tHiScore table;
    table.LoadTable("Standart", "Normal", "Ivan");
    table.LoadTable("Standart", "Normal", "Ivan");
    table.UpdateCurrent(Live("Ivan", 2, 30));
    table.SaveResult(Game("Ivan", 2, 30), tGameRecord{});
    SetImmutable(FilePath(), false);
    ASSERT_EQ(messages.size(), 1u) << "told once";
    EXPECT_EQ(messages[0], "hscore.dat could not be read and is left as it is: results cannot be saved.");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"hscore.dat"});
}

TEST_F(HiScore, AFailedSaveTellsThePlayerAndLosesOnlyThatResult) {
    // A folder that does not exist and cannot be made, under a plain file: reading finds no file, writing
    // cannot create one. The message names it in full.
    std::ofstream(dir.filePath("plain").toStdString()) << "x";
    const QString missing = dir.filePath(QString::fromUtf8("plain/Игры Zoë"));
    BaseDir = QFile::encodeName(missing).toStdString();
    tHiScore table;
    table.LoadTable("Standart", "Normal", "Ivan");
    table.UpdateCurrent(Live("Ivan", 2, 300));
    table.SaveResult(Game("Ivan", 2, 300), tGameRecord{});
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], missing.toStdString() +
                               "/hscore.dat could not be written; this result is lost: Not a directory");

    BaseDir = dir.path().toStdString();
    table.LoadTable("Standart", "Normal", "Ivan");
    table.UpdateCurrent(Live("Ivan", 1, 20));
    table.SaveResult(Game("Ivan", 1, 20), tGameRecord{});
    EXPECT_EQ(ReadFile().ReadString(kSection, "15Name", ""), "Ivan");
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(HiScore, AGameOverOnAFullOrReadOnlyDiskKeepsTheStoredTablesAndSaysWhy) {
    tSmallDisk disk;
    if (!disk.Mounted()) {
        GTEST_SKIP() << disk.Why();
    }
    BaseDir = disk.Path();
    tHiScore table;
    table.LoadTable("Standart", "Normal", "Ivan");
    table.UpdateCurrent(Live("Ivan", 2, 300));
    table.SaveResult(Game("Ivan", 2, 300), tGameRecord{});
    const std::string before = Bytes(FilePath());
    disk.Fill();
    table.LoadTable("Standart", "Normal", "Olga");
    table.UpdateCurrent(Live("Olga", 3, 500));
    table.SaveResult(Game("Olga", 3, 500), tGameRecord{});
    const std::string lost = disk.File("hscore.dat") + " could not be written; this result is lost: ";
    EXPECT_EQ(messages, std::vector<std::string>{lost + "No space left on device"});
    EXPECT_EQ(Bytes(FilePath()), before);
    ASSERT_TRUE(disk.MakeReadOnly());
    messages.clear();
    table.LoadTable("Standart", "Normal", "Petr");
    table.UpdateCurrent(Live("Petr", 4, 700));
    table.SaveResult(Game("Petr", 4, 700), tGameRecord{});
    EXPECT_EQ(messages, std::vector<std::string>{lost + "Read-only file system"});
    EXPECT_EQ(Bytes(FilePath()), before);
    BaseDir = dir.path().toStdString();
}

TEST_F(HiScore, SavingBeforeAnyTableWasLoadedWritesNothing) {
    tHiScore table;
    EXPECT_EQ(table.CurrentRow(), 16);
    EXPECT_EQ(table.Cell(0, 1), "");
    table.SaveResult(Game("Ivan", 1, 10), tGameRecord{});
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(FilePath())));
}

TEST_F(HiScore, TheDataToolRanksAFileWrittenByTheGameAsTheGameDoes) {
    tHiScore table;
    const std::pair<const char*, int32_t> games[] = {
        {"Ivan", 300}, {"Olga", 900}, {"Petr", 300}, {"Anna", 40}};
    int32_t level = 1;
    for (const auto& [name, score] : games) {
        table.LoadTable("Extended", "Impossible", name);
        table.UpdateCurrent(Live(name, ++level, score));
        table.SaveResult(Game(name, level, score), tGameRecord{});
    }
    tStringListPackedINI doc = ReadFile();
    doc.WriteString("Extended_Impossible", "13Level", "2x");
    doc.SaveCompressedFile(FilePath());
    table.LoadTable("Extended", "Impossible", "Zoe");
    ASSERT_EQ(messages.size(), 1u);

    QProcess tool;
    tool.start(QString::fromLocal8Bit(std::getenv("STAKKAR_DATA_TOOL")),
               {"scores", QString::fromStdString(FilePath())});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(tool.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 17);
    EXPECT_EQ(lines[0], "[Extended_Impossible]");
    EXPECT_EQ(lines[1], "rank\tslot\tname\tlevel\tscore\tstart time\tcheck");
    for (int rank = 1; rank <= 15; ++rank) {
        const QStringList cells = lines[rank + 1].split('\t');
        ASSERT_EQ(cells.size(), 7) << rank;
        const tHS& e = table.Record(rank);
        EXPECT_EQ(cells[0].toInt(), rank);
        EXPECT_EQ(cells[1].toInt(), e.Slot) << rank;
        if (cells[6] == "ok") {
            EXPECT_EQ(cells[2].toStdString(), e.Name);
            EXPECT_EQ(cells[3].toInt(), e.Level);
            EXPECT_EQ(cells[4].toInt(), e.Score);
            EXPECT_EQ(cells[5].toStdString(), e.StartTime);
        } else if (e.Slot == 13) {
            EXPECT_EQ(cells[6], "checksum mismatch");
            EXPECT_EQ(cells[3], "2x");
            EXPECT_EQ(e.Name, "Unknown");
        } else {
            EXPECT_EQ(cells[6], "empty");
            EXPECT_EQ(e.Name, "Unknown");
        }
    }
    EXPECT_EQ(table.Record(1).Name, "Olga");
    EXPECT_EQ(lines[2].split('\t')[2], "Olga");
    EXPECT_EQ(lines[3].split('\t')[2], "Ivan");
    EXPECT_EQ(lines[4].split('\t')[2], "Petr");
}

TEST_F(HiScore, AnEnteringGameKeepsItsReplayInTheKeyGroupItTakesAndTheDroppedEntrysReplayGoes) {
    tGameModel game;
    game.NewGame({}, 5, "09.12.26 21:40:00");
    for (int i = 0; i < 60; ++i) {
        game.Tick();
    }
    const auto play = [this](const std::string& name, int32_t score, const tGameRecord& replay) {
        tHiScore table;
        table.LoadTable("Standart", "Normal", name);
        table.SaveResult(Game(name, 1, score), replay);
        return table.Record(kHSSlots).Slot;
    };
    // An empty table: the first entry takes key group 15, the one ranked last.
    const int32_t slot = play("Ivan", 40, game.Record());
    const std::string path = BasePath(ReplayFileName("Standart_Normal", slot));
    EXPECT_EQ(path.substr(path.size() - 29), "hscore-Standart_Normal-15.rep");
    const tReplayRead read = DecodeReplay(Bytes(path));
    ASSERT_TRUE(read.Record) << read.Problem;
    EXPECT_EQ(*read.Record, game.Record());

    // Fourteen more fill the table; the next one pushes Ivan out of key group 15 and leaves no replay there.
    for (int n = 0; n < 14; ++n) {
        play("P" + std::to_string(n), 100 + n, tGameRecord{});
    }
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(path)));
    play("Zed", 500, tGameRecord{});
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path)));
    EXPECT_TRUE(messages.empty());
}

TEST_F(HiScore, AReplayThatCannotBeWrittenTakesTheDroppedEntrysReplayWithItAndShowsNoWatch) {
    tSmallDisk disk;
    if (!disk.Mounted()) {
        GTEST_SKIP() << disk.Why();
    }
    BaseDir = disk.Path();
    tGameModel game;
    game.NewGame({}, 5, "09.12.26 21:40:00");
    tGameRecord small = game.Record();
    small.Ticks = 60;
    // Presses of every kind at every few ticks: far more than one page of the disk.
    tGameRecord large = small;
    tRandom random(3);
    for (int64_t tick = 1; large.Presses.size() < 6000; tick += random.Below(4)) {
        large.Presses.push_back({tick, static_cast<tActionSet>(1 + random.Below(127))});
        large.Ticks = tick;
    }
    ASSERT_GT(EncodeReplay(large).size(), 8192u);
    const auto play = [](tHiScore& table, const std::string& name, int32_t score, const tGameRecord& replay) {
        table.LoadTable("Standart", "Normal", name);
        table.UpdateCurrent(Live(name, 1, score));
        table.UpdateCurrent(tLiveGame{false, Game(name, 1, score)});
        table.SaveResult(Game(name, 1, score), replay);
    };
    tHiScore table;
    play(table, "Ivan", 40, small);
    for (int n = 0; n < 14; ++n) {
        play(table, "P" + std::to_string(n), 100 + n, tGameRecord{});
    }
    const std::string ivans = BasePath(ReplayFileName("Standart_Normal", 15));
    ASSERT_TRUE(QFileInfo::exists(QString::fromStdString(ivans)));

    // Room for the new table beside the old one, and not a page more: the large replay cannot be written.
    {
        QFile spare(QString::fromStdString(disk.File("spare")));
        ASSERT_TRUE(spare.open(QIODevice::WriteOnly));
        spare.write(QByteArray(4096, 'x'));
    }
    disk.Fill();
    ASSERT_TRUE(QFile::remove(QString::fromStdString(disk.File("spare"))));
    play(table, "Zed", 500, large);
    EXPECT_EQ(ReadFile().ReadString(kSection, "15Name", ""), "Zed");
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(ivans))) << "Ivan's game would show as Zed's";
    ASSERT_EQ(table.CurrentRow(), 1);
    EXPECT_EQ(table.ReplayBytes(1), 0);
    EXPECT_EQ(messages, std::vector<std::string>{disk.File("hscore-Standart_Normal-15.rep") +
                                                 " could not be written; the recorded game of this result is "
                                                 "lost: No space left on device"});
    BaseDir = dir.path().toStdString();
}
