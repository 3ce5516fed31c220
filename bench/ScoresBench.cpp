// SPDX-License-Identifier: GPL-3.0-or-later
// stakkar-bench-scores [FOLDER]: the cost of reading the high score table from a full hscore.dat (8 tables of
// 15 entries) and of storing a result into it, in a temporary folder under FOLDER (default: the system's
// temporary folder). Storing ends in a durable replace of the file (written, synced, renamed); its share is
// measured on its own, since it depends on the disk rather than on the program. Prints one "name: value
// unit" line per figure.

#include "core/uRules.h"
#include "engine/uhiscore.h"
#include "look/uLang.h"
#include "platform/uBaseDir.h"
#include "platform/uMessage.h"
#include "storage/uPackIni.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

void WriteFullFile() {
    tStringListPackedINI doc;
    for (const tGameTypeRule& type : kGameTypes) {
        for (const tDifficultyRule& difficulty : kDifficulties) {
            const std::string section = HSSectionName(type.Name, difficulty.Name);
            for (int32_t slot = 1; slot <= kHSSlots; ++slot) {
                tHS e;
                e.Name = "Player" + std::to_string(slot);
                e.Level = 1 + slot % 9;
                e.Score = 1000 * slot + 37 * slot * slot;
                e.Slot = slot;
                e.StartTime = "1" + std::to_string(slot % 9) + ".0" + std::to_string(1 + slot % 9) +
                              ".05 21:15:0" + std::to_string(slot % 10);
                e.PlayTime = std::to_string(slot) + ":07";
                e.StartLevel = std::to_string(1 + slot % 5);
                e.BrokenLines = std::to_string(slot % 8);
                e.Figures = std::to_string(40 * slot) + " [23,8/m]";
                e.Cleared = std::to_string(11 * slot) + " [7,7/m]";
                WriteHSSlot(doc, section, StoredForm(section, e));
            }
        }
    }
    doc.SaveCompressedFile(BasePath("hscore.dat"));
}

double MedianMicros(std::vector<Clock::duration>& samples) {
    std::sort(samples.begin(), samples.end());
    return std::chrono::duration<double, std::micro>(samples[samples.size() / 2]).count();
}

double P90Micros(std::vector<Clock::duration>& samples) {
    std::sort(samples.begin(), samples.end());
    return std::chrono::duration<double, std::micro>(samples[samples.size() * 9 / 10]).count();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) + "/stakkar-bench-XXXXXX"
                               : QDir::tempPath() + "/stakkar-bench-XXXXXX");
    if (!dir.isValid()) {
        std::fprintf(stderr, "stakkar-bench-scores: cannot make a folder to work in\n");
        return 1;
    }
    BaseDir = dir.path().toStdString();
    LoadLanguageResource();
    LoadDefaultLanguage();
    int messages = 0;
    SetMessagePresenter([&messages](const QString&) { ++messages; });
    WriteFullFile();

    tHiScore table;
    constexpr int kLoads = 2000;
    std::vector<Clock::duration> loads;
    for (int i = 0; i < kLoads + 50; ++i) {
        const auto start = Clock::now();
        table.LoadTable(std::string(kGameTypes[1].Name), std::string(kDifficulties[2].Name), "Bench");
        const auto took = Clock::now() - start;
        if (i >= 50) {
            loads.push_back(took);
        }
    }

    tHS result;
    static_cast<tResultTexts&>(result) = {"11.12.04 12:00:00", "9:59",      "5", "3",
                                          "300 [30,0/m]",      "90 [9,0/m]"};
    result.Name = "Bench";
    result.Level = 9;
    constexpr int kSaves = 500;
    std::vector<Clock::duration> saves;
    for (int i = 0; i < kSaves + 10; ++i) {
        table.LoadTable(std::string(kGameTypes[1].Name), std::string(kDifficulties[2].Name), "Bench");
        result.Score = 2000000 + i;
        table.UpdateCurrent(tLiveGame{true, result});
        const auto start = Clock::now();
        table.SaveResult(result, tGameRecord{});
        const auto took = Clock::now() - start;
        if (i >= 10) {
            saves.push_back(took);
        }
    }
    table.LoadTable(std::string(kGameTypes[1].Name), std::string(kDifficulties[2].Name), "Bench");

    tStringListPackedINI doc;
    doc.ReadCompressedFile(BasePath("hscore.dat"));
    const std::string packed = PackText(doc.Text());
    std::vector<Clock::duration> replaces;
    std::vector<Clock::duration> packs;
    for (int i = 0; i < kSaves; ++i) {
        auto start = Clock::now();
        PackText(doc.Text());
        packs.push_back(Clock::now() - start);
        start = Clock::now();
        WriteFileAtomically(BasePath("hscore.dat"), packed);
        replaces.push_back(Clock::now() - start);
    }

    std::printf("folder: %s\n", dir.path().toLocal8Bit().constData());
    std::printf("hscore.dat size: %lld bytes\n",
                static_cast<long long>(QFileInfo(dir.filePath("hscore.dat")).size()));
    std::printf("LoadTable full file median: %.1f us\n", MedianMicros(loads));
    std::printf("LoadTable full file p90: %.1f us\n", P90Micros(loads));
    std::printf("SaveResult full file median: %.1f us\n", MedianMicros(saves));
    std::printf("SaveResult full file p90: %.1f us\n", P90Micros(saves));
    std::printf("compress full file median: %.1f us\n", MedianMicros(packs));
    std::printf("durable file replace median: %.1f us\n", MedianMicros(replaces));
    std::printf("table still full after saves: %s\n",
                table.Record(kHSSlots).Name == "Unknown" ? "no" : "yes");
    std::printf("messages shown: %d\n", messages);
    return 0;
}
