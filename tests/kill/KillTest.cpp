// SPDX-License-Identifier: GPL-3.0-or-later
// stakkar-kill-test --writer SAVE_LOOP --tool STAKKAR_DATA [--kills N] [--seed S]: kills writers with SIGKILL
// at random moments and checks after each kill that every file they were saving is whole and holds either
// the step stored last or the one after it, and that nothing a killed save left beside a file survives the
// next start (the game) or the next save (the data tool). Half the kills hit the game's own saving of
// users.dat, hscore.dat and the replays beside it, half the data tool rewriting a large file; every other
// kill is aimed at the moment a save writes its temporary copy, half of those of the game at a replay's.
// Prints "K kills, L lost" and fails when anything was lost or left behind.

#include "storage/uHSEntry.h"
#include "storage/uPackIni.h"
#include "tests/kill/uKillGenerations.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <zlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <thread>

namespace {

struct tOptions {
    QString writer;
    QString tool;
    int kills = 100;
    unsigned seed = std::random_device{}();
};

struct tTally {
    int kills = 0;
    int lost = 0;
    // Kills that left a temporary copy beside a file (a save was under way), and copies the next start or
    // save did not remove.
    int leftBehind = 0;
    int notRemoved = 0;
    // Of those, the kills that left a replay's copy, and the replays' copies not removed.
    int replayLeftBehind = 0;
    int replayNotRemoved = 0;
};

std::optional<std::string> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The text of a file that holds one complete zlib stream and nothing else; nothing for a cut or damaged one.
std::optional<std::string> WholeText(const std::string& path) {
    const auto packed = ReadBytes(path);
    if (!packed) {
        return std::nullopt;
    }
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK) {
        return std::nullopt;
    }
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed->data()));
    zs.avail_in = static_cast<uInt>(packed->size());
    std::string text;
    char chunk[65536];
    int rc = Z_OK;
    while (rc == Z_OK) {
        zs.next_out = reinterpret_cast<Bytef*>(chunk);
        zs.avail_out = sizeof chunk;
        rc = inflate(&zs, Z_NO_FLUSH);
        text.append(chunk, sizeof chunk - zs.avail_out);
    }
    const bool whole = rc == Z_STREAM_END && zs.avail_in == 0;
    inflateEnd(&zs);
    return whole ? std::optional<std::string>(text) : std::nullopt;
}

// Temporary copies beside the files: "<name>.XXXXXX", of users.dat, hscore.dat, the replays beside it
// ("hscore-Standart_Normal-15.rep") and the data tool's file.
QStringList TempCopies(const QString& folder) {
    static const QRegularExpression temp(R"(^((users|hscore|big)\.dat|hscore-.+\.rep)\.[A-Za-z0-9]{6}$)");
    return QDir(folder).entryList(QDir::Files | QDir::Hidden).filter(temp);
}

int Leftovers(const QString& folder) {
    return static_cast<int>(TempCopies(folder).size());
}

int ReplayLeftovers(const QString& folder) {
    static const QRegularExpression replay(R"(\.rep\.[A-Za-z0-9]{6}$)");
    return static_cast<int>(TempCopies(folder).filter(replay).size());
}

std::string UsersText(const tStringListPackedINI& others, int64_t step) {
    tStringListPackedINI doc = others;
    if (step > 0) {
        WritePlayerOptions(doc, kKillPlayer, OptionsOfStep(step));
    }
    return doc.Text();
}

// The step users.dat holds, when it is one of the two allowed; -1 otherwise.
int64_t UsersStep(const std::string& path, const tStringListPackedINI& others, int64_t last) {
    const auto text = WholeText(path);
    for (const int64_t step : {last, last + 1}) {
        if (text && *text == UsersText(others, step)) {
            return step;
        }
    }
    return -1;
}

// The step hscore.dat holds: its table must be the fifteen latest games, every entry passing its check.
int64_t ScoresStep(const std::string& path, int64_t last) {
    if (last == 0 && !QFile::exists(QString::fromStdString(path))) {
        return 0;
    }
    const auto text = WholeText(path);
    if (!text) {
        return -1;
    }
    tStringListPackedINI doc;
    doc.SetText(*text);
    const std::string section = HSSectionName(kKillGameType, kKillDifficulty);
    std::set<int32_t> scores;
    for (const tHSStored& stored : ReadHSSection(doc, section)) {
        if (!stored.AnyKey) {
            continue;
        }
        if (CheckStored(section, stored) != tHSCheck::Valid) {
            return -1;
        }
        scores.insert(EntryOf(section, stored).Score);
    }
    for (const int64_t step : {last, last + 1}) {
        std::set<int32_t> expected;
        for (int64_t s = std::max<int64_t>(1, step - kHSSlots + 1); s <= step; ++s) {
            expected.insert(ScoreOfStep(s));
        }
        if (scores == expected) {
            return step;
        }
    }
    return -1;
}

void Kill(QProcess& process) {
    ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
    process.waitForFinished(10000);
}

// Where a kill strikes: at a random moment, or just after a temporary copy appears, of any file or of a
// replay.
enum class tAim { Anywhere, AnyCopy, ReplayCopy };

// A kill at a random moment mostly lands outside the short time a save has its temporary copy on disk, so
// every other kill waits for a copy to appear (or the delay to pass) and then strikes within half a
// millisecond.
void KillAt(QProcess& process, const QString& folder, tAim aim, std::chrono::microseconds delay,
            std::mt19937& random) {
    if (aim != tAim::Anywhere) {
        const QStringList before = TempCopies(folder);
        const auto deadline = std::chrono::steady_clock::now() + delay;
        static const QRegularExpression replay(R"(\.rep\.[A-Za-z0-9]{6}$)");
        const auto fresh = [&] {
            for (const QString& name : TempCopies(folder)) {
                if (!before.contains(name) && (aim == tAim::AnyCopy || replay.match(name).hasMatch())) {
                    return true;
                }
            }
            return false;
        };
        // Polling without a pause would take the processor from the very save it waits for.
        while (!fresh() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
        delay = std::chrono::microseconds(std::uniform_int_distribution<int>(0, 500)(random));
    }
    std::this_thread::sleep_for(delay);
    Kill(process);
}

// The last "<what> N" line the writer printed; fallback when there is none.
int64_t LastStep(const QByteArray& output, const char* what, int64_t fallback) {
    const QRegularExpression line(QString("^%1 (\\d+)$").arg(what), QRegularExpression::MultilineOption);
    int64_t step = fallback;
    for (auto it = line.globalMatch(QString::fromLatin1(output)); it.hasNext();) {
        step = it.next().captured(1).toLongLong();
    }
    return step;
}

bool WaitForReady(QProcess& process) {
    QByteArray seen;
    while (!seen.contains("ready\n")) {
        if (!process.waitForReadyRead(30000)) {
            return false;
        }
        seen += process.peek(1 << 16);
    }
    return true;
}

// The game: users.dat among many other players, and hscore.dat.
void KillTheGame(const tOptions& options, int kills, std::mt19937& random, tTally& tally) {
    QTemporaryDir dir;
    const std::string users = dir.filePath("users.dat").toStdString();
    const std::string scores = dir.filePath("hscore.dat").toStdString();
    tStringListPackedINI others;
    for (int i = 0; i < 3000; ++i) {
        WritePlayerOptions(others, "Player " + std::to_string(i), OptionsOfStep(i * 7919));
    }
    others.SaveCompressedFile(users);
    int64_t usersStep = 0;
    int64_t scoresStep = 0;
    std::uniform_int_distribution<int> delayUs(0, 60000);
    for (int k = 0; k <= kills; ++k) {
        QProcess writer;
        writer.start(options.writer, {dir.path(), QString::number(usersStep), QString::number(scoresStep)});
        if (!WaitForReady(writer)) {
            std::fprintf(stderr, "the save loop did not start: %s\n", writer.readAllStandardError().data());
            ++tally.lost;
            return;
        }
        // The start has read both files, which removes whatever the last kill left.
        tally.notRemoved += Leftovers(dir.path());
        tally.replayNotRemoved += ReplayLeftovers(dir.path());
        writer.write("go\n");
        writer.waitForBytesWritten(10000);
        if (k == kills) {
            Kill(writer);
            break;
        }
        // A replay's save comes after the two files' saves, so a kill aimed at it waits longer.
        const tAim aim = k % 2 == 0 ? tAim::Anywhere : k % 4 == 1 ? tAim::AnyCopy : tAim::ReplayCopy;
        KillAt(writer, dir.path(), aim,
               std::chrono::microseconds(aim == tAim::ReplayCopy ? 2000000 : delayUs(random)), random);
        ++tally.kills;
        tally.leftBehind += Leftovers(dir.path()) > 0 ? 1 : 0;
        tally.replayLeftBehind += ReplayLeftovers(dir.path()) > 0 ? 1 : 0;
        const QByteArray output = writer.readAllStandardOutput();
        const int64_t u = UsersStep(users, others, LastStep(output, "users", usersStep));
        const int64_t s = ScoresStep(scores, LastStep(output, "scores", scoresStep));
        if (u < 0 || s < 0) {
            std::fprintf(stderr, "kill %d of the game: %s is neither the old nor the new file\n", k + 1,
                         u < 0 ? "users.dat" : "hscore.dat");
            ++tally.lost;
            return;
        }
        usersStep = u;
        scoresStep = s;
    }
}

std::string BigText(const tStringListPackedINI& base, int64_t step) {
    tStringListPackedINI doc = base;
    doc.WriteString("Kill", "Step", std::to_string(step));
    return doc.Text();
}

// The data tool rewriting a file of a few megabytes, killed anywhere in its run.
void KillTheDataTool(const tOptions& options, int kills, std::mt19937& random, tTally& tally) {
    QTemporaryDir dir;
    const QString big = dir.filePath("big.dat");
    tStringListPackedINI base;
    std::mt19937 content(7);
    for (int i = 0; i < 40000; ++i) {
        base.WriteString("S" + std::to_string(i), "Value",
                         std::to_string(content()) + std::to_string(content()));
    }
    tStringListPackedINI first;
    first.SetText(BigText(base, 0));
    first.SaveCompressedFile(big.toStdString());

    const auto set = [&](int64_t step) {
        auto process = std::make_unique<QProcess>();
        process->start(options.tool, {"set", big, "Kill", "Step", QString::number(step)});
        process->waitForStarted();
        return process;
    };
    const auto start = std::chrono::steady_clock::now();
    set(1)->waitForFinished(60000);
    const auto runUs =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start)
            .count();
    int64_t step = 1;
    std::uniform_int_distribution<long> delayUs(0, runUs + runUs / 5);
    for (int k = 0; k < kills; ++k) {
        const auto tool = set(step + 1);
        const bool aimed = k % 2 == 1;
        KillAt(*tool, dir.path(), aimed ? tAim::AnyCopy : tAim::Anywhere,
               std::chrono::microseconds(aimed ? 2 * runUs : delayUs(random)), random);
        ++tally.kills;
        tally.leftBehind += Leftovers(dir.path()) > 0 ? 1 : 0;
        const auto text = WholeText(big.toStdString());
        if (text && *text == BigText(base, step + 1)) {
            ++step;
        } else if (!text || *text != BigText(base, step)) {
            std::fprintf(stderr, "kill %d of the data tool: big.dat is neither the old nor the new file\n",
                         k + 1);
            ++tally.lost;
            return;
        }
    }
    set(step + 1)->waitForFinished(60000);
    tally.notRemoved += Leftovers(dir.path());
}

bool ParseOptions(int argc, char** argv, tOptions& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        if (name == "--writer") {
            options.writer = QString::fromLocal8Bit(argv[i + 1]);
        } else if (name == "--tool") {
            options.tool = QString::fromLocal8Bit(argv[i + 1]);
        } else if (name == "--kills") {
            options.kills = std::atoi(argv[i + 1]);
        } else if (name == "--seed") {
            options.seed = static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && !options.writer.isEmpty() && !options.tool.isEmpty() && options.kills > 0;
}

} // namespace

int main(int argc, char** argv) {
    tOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fputs("usage: stakkar-kill-test --writer SAVE_LOOP --tool STAKKAR_DATA [--kills N] [--seed S]\n",
                   stderr);
        return 2;
    }
    std::printf("seed %u\n", options.seed);
    std::mt19937 random(options.seed);
    tTally game;
    tTally tool;
    KillTheGame(options, options.kills - options.kills / 2, random, game);
    KillTheDataTool(options, options.kills / 2, random, tool);
    std::printf(
        "game (users.dat, hscore.dat, replays): %d kills, %d with a temporary copy beside a file, %d not "
        "removed at the next start; of these, replays: %d with a copy, %d not removed\n",
        game.kills, game.leftBehind, game.notRemoved, game.replayLeftBehind, game.replayNotRemoved);
    std::printf("data tool (big.dat): %d kills, %d with a temporary copy beside the file, %d not removed at "
                "the next save\n",
                tool.kills, tool.leftBehind, tool.notRemoved);
    const int lost = game.lost + tool.lost;
    std::printf("%d kills, %d lost\n", game.kills + tool.kills, lost);
    return lost == 0 && game.notRemoved + tool.notRemoved == 0 ? 0 : 1;
}
