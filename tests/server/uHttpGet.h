// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One GET over the network, waited for; the address is sent byte for byte as given.

#include <QByteArray>

struct tHttpReply {
    // 0 when no answer came.
    int Status = 0;
    QByteArray Body;
};

tHttpReply HttpGet(const QByteArray& address);
