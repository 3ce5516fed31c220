// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The open connections, in all and per client address, against the caps that keep descriptors free for
// everyone else. A connection over a cap is still answered, with a short refusal; those answers have a cap of
// their own, beyond which a connection is closed unanswered.

#include <boost/asio/ip/address.hpp>

#include <cstddef>
#include <map>

enum class tAdmission { Serve, Refuse, Drop };

// Refusals being written at once; each holds its descriptor for at most a moment.
inline constexpr size_t kMaxRefusals = 64;

class tConnectionCounts {
public:
    tConnectionCounts(size_t total, size_t perAddress);

    // Counts a new connection from address; an exempt address is held to the total only.
    tAdmission Admit(const boost::asio::ip::address& address, bool exempt);
    // Ends what Admit counted.
    void Release(const boost::asio::ip::address& address, tAdmission admission);
    // Connections counted and not yet released, refused ones too.
    size_t Open() const { return Served + Refusing; }

private:
    size_t Total;
    size_t PerAddress;
    size_t Served = 0;
    size_t Refusing = 0;
    std::map<boost::asio::ip::address, size_t> ByAddress;
};
