// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/pages/uPageAddresses.h"

#include "server/pages/uPageParts.h"
#include "server/store/uResultStore.h"
#include "server/store/uTablePage.h"

QString TablePath(std::string_view gameType, std::string_view difficulty) {
    return "/scores/" + View(gameType) + "/" + View(difficulty);
}

QString TablePagePath(std::string_view gameType, std::string_view difficulty, int64_t number, bool json) {
    const QString path = TablePath(gameType, difficulty) + (json ? ".json" : "");
    return number == 1 ? path : path + "?page=" + QString::number(number);
}

QString TablePathOfRank(std::string_view gameType, std::string_view difficulty, int64_t rank) {
    return TablePagePath(gameType, difficulty, rank > kRankLimit ? 1 : (rank - 1) / kTableRows + 1);
}

QString PlayerPath(std::string_view name) {
    // Everything but letters, digits and "-._~" is encoded, the "/" of a name included.
    const QByteArray encoded =
        QByteArray(name.data(), static_cast<qsizetype>(name.size())).toPercentEncoding();
    if (encoded == "." || encoded == "..") {
        return "/players/?name=" + QString::fromLatin1(encoded);
    }
    return "/players/" + QString::fromLatin1(encoded);
}

QString ResultPath(int64_t id) {
    return "/results/" + QString::number(id);
}

QString ReplayPath(int64_t id) {
    return ResultPath(id) + "/replay.rep";
}
