// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which client a request comes from, for the caps and the upload allowance.

#include <boost/asio/ip/address.hpp>

#include <optional>
#include <string_view>

// IPv4 clients of an IPv6 listener arrive as ::ffff:a.b.c.d; written as a.b.c.d, one client is one address
// whichever listener it reaches.
boost::asio::ip::address Unmapped(const boost::asio::ip::address& address);

// The connecting address, or, when that is the trusted proxy, the last entry of the X-Forwarded-For it sent:
// only that entry is the proxy's own word, the ones before it came from the client. A missing or malformed
// entry leaves the connecting address.
boost::asio::ip::address ClientAddress(const boost::asio::ip::address& peer,
                                       const std::optional<boost::asio::ip::address>& trustedProxy,
                                       std::optional<std::string_view> forwardedFor);
