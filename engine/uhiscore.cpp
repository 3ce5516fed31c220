// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/uhiscore.h"

#include "engine/uReasonText.h"
#include "look/uLang.h"
#include "platform/uBaseDir.h"
#include "platform/uCodePage.h"
#include "platform/uMessage.h"
#include "platform/uSaveFile.h"
#include "storage/uPackIni.h"
#include "storage/uReplayFile.h"

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <charconv>

namespace {

constexpr const char* kFileName = "hscore.dat";
constexpr const char* kLineBreak = "\n\r";

std::string ScoreFilePath() {
    return BasePath(kFileName);
}

// A path as the player is shown it, in the texts' code page.
QString ShownPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// Writes the replay of an entry, or removes the replay its key group held when there is none to keep; a
// replay that cannot be written loses only itself, and the one it was to replace goes all the same, so that
// no entry shows another's game. Returns what the player must be told; `bytes` is the size of the replay
// kept.
QString SaveReplay(const std::string& name, const tGameRecord& replay, int64_t& bytes) {
    const std::string path = BasePath(name);
    bytes = 0;
    try {
        if (replay.Ticks > 0) {
            const std::string encoded = EncodeReplay(replay);
            WriteFileAtomically(path, encoded);
            bytes = static_cast<int64_t>(encoded.size());
            return {};
        }
    } catch (const tSaveError& e) {
        QFile::remove(QString::fromStdString(path));
        // The entry itself is stored: only its game is lost.
        return LangFormat("s0104", {ShownPath(path), SaveReason(e)});
    }
    QFile::remove(QString::fromStdString(path));
    return {};
}

struct tScoreFile {
    tStringListPackedINI doc;
    // False when a damaged file could not be kept aside: it stays as it is and must not be saved over.
    bool writable = true;
    // What the player must be told, shown once the table is in order again; empty when nothing happened.
    QString message;
};

tScoreFile ReadScoreFile() {
    // A save killed while it wrote a replay leaves that replay's copy, of this table or any other.
    RemoveLeftoverTempFilesLike(BasePath(ReplayFileWildcard()));
    tScoreFile file;
    const tDamagedFile damage = ReadDataFile(file.doc, ScoreFilePath());
    file.writable = !damage.leftInPlace;
    if (!damage.tell) {
        return file;
    }
    file.message = damage.leftInPlace ? LangFormat("s0008", {kFileName})
                                      : LangFormat("s0007", {kFileName, FromCodePage(damage.keptAs)});
    return file;
}

} // namespace

tHiScore::tHiScore() {
    for (int n = 1; n <= kLoserRow; ++n) {
        records_[static_cast<size_t>(n)].Slot = n;
    }
    // Until the well pushes a game, the player's row holds the texts of a game not yet begun.
    static_cast<tResultTexts&>(records_[kLoserRow]) = PlaceholderHS(kLoserRow);
    languageTarget_ = AddLanguageTarget([this] { ApplyLanguageTexts(); });
    ApplyLanguageTexts();
}

tHiScore::~tHiScore() {}

const QString& tHiScore::Cell(int column, int row) const {
    return grid_[static_cast<size_t>(column)][static_cast<size_t>(row)];
}

void tHiScore::SetCell(int column, int row, const QString& text) {
    grid_[static_cast<size_t>(column)][static_cast<size_t>(row)] = text;
}

void tHiScore::ShowEntry(int row, const tHS& entry) {
    // The game in progress is shown again at every change of its score: its row is rewritten in place.
    if (names_[static_cast<size_t>(row)] != entry.Name) {
        SetCell(0, row, FromCodePage(entry.Name));
        names_[static_cast<size_t>(row)] = entry.Name;
    }
    SetNumberCell(1, row, entry.Level);
    SetNumberCell(2, row, entry.Score);
}

void tHiScore::SetNumberCell(int column, int row, int number) {
    std::array<char, 16> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
    AssignFromCodePage(grid_[static_cast<size_t>(column)][static_cast<size_t>(row)],
                       std::string_view(digits.data(), static_cast<size_t>(end - digits.data())));
}

void tHiScore::ApplyLanguageTexts() {
    title_ = HeaderForm(LangText("s1400") + " [" + FromCodePage(gameTypeName_) + ":" +
                        FromCodePage(difficultyName_) + "]");
    SetCell(0, 0, LangText("s1401"));
    SetCell(1, 0, LangText("s1402"));
    SetCell(2, 0, LangText("s1403"));
    views_.Run();
}

void tHiScore::LoadTable(const std::string& gameType, const std::string& difficulty,
                         const std::string& player) {
    const tScoreFile file = ReadScoreFile();
    gameTypeName_ = gameType;
    difficultyName_ = difficulty;
    loaded_ = true;
    currentStored_ = false;
    const std::string section = HSSectionName(gameType, difficulty);
    bool mismatch = false;
    const auto stored = ReadHSSection(file.doc, section);
    for (int n = 1; n <= kHSSlots; ++n) {
        const tHSStored& s = stored[static_cast<size_t>(n - 1)];
        mismatch = mismatch || CheckStored(section, s) != tHSCheck::Valid;
        records_[static_cast<size_t>(n)] = EntryOf(section, s);
    }
    SortRecords(std::span(records_).subspan(1, kHSSlots));
    storedSlot_ = 0;
    for (int32_t slot = 1; slot <= kHSSlots; ++slot) {
        const QFileInfo replay(QString::fromStdString(BasePath(ReplayName(slot))));
        replayBytes_[static_cast<size_t>(slot)] = replay.isFile() ? replay.size() : 0;
    }
    tHS& current = records_[kLoserRow];
    current.Name = player;
    current.Level = 1;
    current.Score = 0;
    PlaceCurrent();
    ApplyLanguageTexts();
    if (!file.message.isEmpty()) {
        ShowMessageBox(file.message);
    }
    if (mismatch) {
        ShowMessageBox(LangText("s0002") + kLineBreak + LangText("s0003"));
    }
}

void tHiScore::PlaceCurrent() {
    const tHS& c = records_[kLoserRow];
    int i = kHSSlots;
    while (i >= 1 && Record(i).Score < c.Score) {
        ShowEntry(i + 1, Record(i));
        --i;
    }
    while (i >= 1 && Record(i).Score == c.Score && Record(i).Level > c.Level) {
        ShowEntry(i + 1, Record(i));
        --i;
    }
    currentRow_ = i + 1;
    ShowEntry(currentRow_, c);
    for (int row = 1; row <= i; ++row) {
        ShowEntry(row, Record(row));
    }
}

bool tHiScore::TakeCurrent(const tHS& entry) {
    tHS& c = records_[kLoserRow];
    const bool shown = c.Name != entry.Name || c.Level != entry.Level || c.Score != entry.Score;
    c = entry;
    c.Slot = kLoserRow;
    if (!shown) {
        return false;
    }
    if (currentRow_ > 1) {
        const tHS& above = Record(currentRow_ - 1);
        if (above.Score < c.Score || (above.Score == c.Score && above.Level > c.Level)) {
            PlaceCurrent();
            return true;
        }
    }
    ShowEntry(currentRow_, c);
    return true;
}

void tHiScore::UpdateCurrent(const tLiveGame& live) {
    const bool playingChanged = live.Playing != playing_;
    playing_ = live.Playing;
    if (TakeCurrent(live.Entry) || playingChanged) {
        views_.Run();
    }
}

void tHiScore::SaveResult(const tHS& result, const tGameRecord& replay) {
    if (!loaded_) {
        return;
    }
    if (TakeCurrent(result)) {
        views_.Run();
    }
    currentStored_ = true;
    tScoreFile file = ReadScoreFile();
    QString saveError;
    const std::string section = HSSectionName(gameTypeName_, difficultyName_);
    const int32_t slot = Record(kHSSlots).Slot;
    const bool entered = currentRow_ < kLoserRow;
    if (file.writable) {
        if (entered) {
            tHS entry = Record(kLoserRow);
            entry.Slot = slot;
            WriteHSSlot(file.doc, section, StoredForm(section, entry));
        }
        try {
            file.doc.SaveCompressedFile(ScoreFilePath());
            if (entered) {
                storedSlot_ = slot;
                saveError = SaveReplay(ReplayName(slot), replay, replayBytes_[static_cast<size_t>(slot)]);
            }
        } catch (const tSaveError& e) {
            saveError = LangFormat("s0101", {ShownPath(ScoreFilePath()), SaveReason(e)});
        }
    }
    if (!file.message.isEmpty()) {
        ShowMessageBox(file.message);
    }
    if (!saveError.isEmpty()) {
        ShowMessageBox(saveError);
    }
}

std::string tHiScore::ReplayName(int32_t slot) const {
    return ReplayFileName(HSSectionName(gameTypeName_, difficultyName_), slot);
}

const tHS& tHiScore::RowEntry(int row) const {
    if (row == currentRow_) {
        return Record(kLoserRow);
    }
    return Record(row < currentRow_ ? row : row - 1);
}

int32_t tHiScore::RowSlot(int row) const {
    if (row < 1 || row > kHSSlots) {
        return 0;
    }
    if (row == currentRow_) {
        return currentStored_ && !playing_ ? storedSlot_ : 0;
    }
    return RowEntry(row).Slot;
}

int64_t tHiScore::ReplayBytes(int row) const {
    const int32_t slot = RowSlot(row);
    return slot > 0 ? replayBytes_[static_cast<size_t>(slot)] : 0;
}

tHiScore::tRowReplay tHiScore::ReadReplay(int row) const {
    const std::string name = ReplayName(RowSlot(row));
    tRowReplay file{ReadReplayFile(BasePath(name)), {}};
    if (!file.Record) {
        file.Message = LangFormat("s0102", {QString::fromStdString(name), ReplayReason(file)});
    } else if (!RecordOfEntry(*file.Record, gameTypeName_, difficultyName_, RowEntry(row))) {
        file.Record.reset();
        file.Message = LangFormat("s0103", {QString::fromStdString(name)});
    }
    return file;
}
