// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uQueryValues.h"

#include <QList>

namespace {

QByteArray FormDecoded(QByteArray text) {
    return QByteArray::fromPercentEncoding(text.replace('+', ' '));
}

} // namespace

std::optional<QByteArray> QueryValue(const QByteArray& query, const QByteArray& key) {
    for (const QByteArray& pair : query.split('&')) {
        const qsizetype equals = pair.indexOf('=');
        if (FormDecoded(pair.left(equals < 0 ? pair.size() : equals)) == key) {
            return equals < 0 ? QByteArray() : FormDecoded(pair.mid(equals + 1));
        }
    }
    return std::nullopt;
}
