// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/store/uTablePage.h"

#include <algorithm>

tStoreResult<tTablePage> ReadTablePage(tResultStore& results, std::string_view gameType,
                                       std::string_view difficulty, int64_t number) {
    tTablePage page;
    page.GameType = gameType;
    page.Difficulty = difficulty;
    page.Number = number;
    const tStoreResult<int64_t> total = results.TableCount(gameType, difficulty);
    if (!total) {
        return total.Failure();
    }
    page.Total = *total;
    page.Pages = std::max<int64_t>(1, (*total + kTableRows - 1) / kTableRows);
    if (page.PastEnd()) {
        return page;
    }
    // Pages in the second half of a table are read from its end, so no page skips more than half of it.
    const int64_t offset = page.FirstRank() - 1;
    const int64_t fromEnd = page.Total - offset - kTableRows;
    auto rows = offset <= page.Total / 2
                    ? results.Best(gameType, difficulty, offset, kTableRows)
                    : results.BestFromEnd(gameType, difficulty, std::max<int64_t>(0, fromEnd),
                                          kTableRows + std::min<int64_t>(0, fromEnd));
    if (!rows) {
        return rows.Failure();
    }
    page.Rows = std::move(*rows);
    return page;
}
