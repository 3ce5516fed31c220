// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/http/uConnectionCounts.h"

tConnectionCounts::tConnectionCounts(size_t total, size_t perAddress)
    : Total(total), PerAddress(perAddress) {}

tAdmission tConnectionCounts::Admit(const boost::asio::ip::address& address, bool exempt) {
    const auto it = ByAddress.find(address);
    const size_t fromAddress = it == ByAddress.end() ? 0 : it->second;
    if (Served < Total && (exempt || fromAddress < PerAddress)) {
        ++Served;
        ++ByAddress[address];
        return tAdmission::Serve;
    }
    if (Refusing < kMaxRefusals) {
        ++Refusing;
        return tAdmission::Refuse;
    }
    return tAdmission::Drop;
}

void tConnectionCounts::Release(const boost::asio::ip::address& address, tAdmission admission) {
    if (admission == tAdmission::Refuse) {
        --Refusing;
    } else if (admission == tAdmission::Serve) {
        --Served;
        const auto it = ByAddress.find(address);
        if (--it->second == 0) {
            ByAddress.erase(it);
        }
    }
}
