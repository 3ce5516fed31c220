#pragma once
// The fifteen best results of one game type and difficulty, kept in hscore.dat, with the running game placed
// live among them.

#include <cstdint>
#include <string>

struct tHS {
    std::string Name;
    int32_t Level = 0;
    int32_t Score = 0;
    int32_t Slot = 0;
    std::string StartTime;
    std::string PlayTime;
    std::string StartLevel;
    std::string BrokenLines;
    std::string Figures;
    std::string Cleared;
};

// What the well knows of a finished game beyond name, level and score.
struct tGameResult {
    std::string StartTime;
    std::string PlayTime;
    std::string StartLevel;
    std::string BrokenLines;
    std::string Figures;
    std::string Cleared;
};

class tHiScore {
public:
    virtual ~tHiScore() = default;

    virtual void LoadTable(const std::string& gameType, const std::string& difficulty,
                           const std::string& player);
    virtual void UpdateCurrent(const std::string& name, int32_t level, int32_t score);
    virtual void SaveResult(const tGameResult& result);

    // Grid row 1..16 that shows the game in progress; 16 when it is not among the best fifteen.
    int CurrentRow() const { return currentRow_; }

protected:
    int currentRow_ = 16;
};
