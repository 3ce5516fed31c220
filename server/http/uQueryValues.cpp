// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/http/uQueryValues.h"

#include <QList>

namespace {

QByteArray Decoded(QByteArray text, tPlusSign plus) {
    if (plus == tPlusSign::Space) {
        text.replace('+', ' ');
    }
    return QByteArray::fromPercentEncoding(text);
}

} // namespace

std::optional<QByteArray> QueryValue(const QByteArray& query, const QByteArray& key, tPlusSign plus) {
    for (const QByteArray& pair : query.split('&')) {
        const qsizetype equals = pair.indexOf('=');
        if (Decoded(pair.left(equals < 0 ? pair.size() : equals), plus) == key) {
            return equals < 0 ? QByteArray() : Decoded(pair.mid(equals + 1), plus);
        }
    }
    return std::nullopt;
}
