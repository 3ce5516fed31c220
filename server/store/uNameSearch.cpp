// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/store/uNameSearch.h"

#include "platform/uCodePage.h"
#include "server/store/uStoreStatements.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

constexpr const char* kAddKey = "INSERT INTO name_search (folded, name) VALUES (?, ?) ON CONFLICT DO NOTHING";

bool EndsWord(char c) {
    return c == ' ' || c == '-' || c == '_' || c == '.';
}

} // namespace

std::vector<std::string> SearchKeys(std::string_view name) {
    const std::string folded = LowerText(name);
    std::vector<std::string> keys;
    for (size_t at = 0; at < folded.size(); ++at) {
        if ((at == 0 || EndsWord(folded[at - 1])) && !EndsWord(folded[at])) {
            keys.push_back(folded.substr(at));
        }
    }
    if (keys.empty() || keys.front().size() != folded.size()) {
        keys.insert(keys.begin(), folded);
    }
    return keys;
}

std::optional<std::string> PrefixEnd(std::string_view prefix) {
    std::string end(prefix);
    while (!end.empty() && static_cast<unsigned char>(end.back()) == 0xFF) {
        end.pop_back();
    }
    if (end.empty()) {
        return std::nullopt;
    }
    end.back() = static_cast<char>(static_cast<unsigned char>(end.back()) + 1);
    return end;
}

tStoreResult<void> IndexName(QSqlDatabase& db, std::string_view name) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(kAddKey)) {
        return StatementFailed("index the name", query);
    }
    const QByteArray stored(name.data(), static_cast<qsizetype>(name.size()));
    for (const std::string& key : SearchKeys(name)) {
        query.addBindValue(Bytes(key));
        query.addBindValue(stored);
        if (!query.exec()) {
            return StatementFailed("index the name", query);
        }
    }
    return {};
}

tStoreResult<void> IndexAllNames(QSqlDatabase& db) {
    QSqlQuery names(db);
    if (tStoreResult<void> ran = Run(names, "SELECT DISTINCT name FROM results", {}, "list the names");
        !ran) {
        return ran;
    }
    while (names.next()) {
        const QByteArray name = names.value(0).toByteArray();
        if (tStoreResult<void> indexed =
                IndexName(db, std::string_view(name.constData(), static_cast<size_t>(name.size())));
            !indexed) {
            return indexed;
        }
    }
    return {};
}
