// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/http/uClientAddress.h"

#include <string>

boost::asio::ip::address Unmapped(const boost::asio::ip::address& address) {
    if (address.is_v6() && address.to_v6().is_v4_mapped()) {
        return boost::asio::ip::make_address_v4(boost::asio::ip::v4_mapped, address.to_v6());
    }
    return address;
}

boost::asio::ip::address ClientAddress(const boost::asio::ip::address& peer,
                                       const std::optional<boost::asio::ip::address>& trustedProxy,
                                       std::optional<std::string_view> forwardedFor) {
    if (!trustedProxy || peer != *trustedProxy || !forwardedFor) {
        return peer;
    }
    std::string_view entry = *forwardedFor;
    const size_t comma = entry.rfind(',');
    if (comma != std::string_view::npos) {
        entry.remove_prefix(comma + 1);
    }
    const size_t first = entry.find_first_not_of(" \t");
    const size_t last = entry.find_last_not_of(" \t");
    if (first == std::string_view::npos) {
        return peer;
    }
    boost::system::error_code error;
    const boost::asio::ip::address client =
        boost::asio::ip::make_address(std::string(entry.substr(first, last - first + 1)), error);
    return error ? peer : Unmapped(client);
}
