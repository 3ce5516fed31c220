#include "storage/uhiscore.h"

void tHiScore::LoadTable(const std::string&, const std::string&, const std::string&) {
    currentRow_ = 16;
}

void tHiScore::UpdateCurrent(const std::string&, int32_t, int32_t) {}

void tHiScore::SaveResult(const tGameResult&) {}
