// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Publishing a stored result: the signed record and the address of the score server's page that receives it.
// The program only builds the address; the browser sends it, and no answer is ever read.

#include "platform/uBuild.h"
#include "storage/uHSEntry.h"

#include <cstddef>
#include <string>
#include <string_view>

// The build the server checks records against.
inline constexpr int kUploadBuild = kProgramBuild;
// The score server's page, up to "index.php", unless the settings file names another: a score server run on
// this machine with its defaults.
inline constexpr std::string_view kScorePageBase = "http://127.0.0.1:8888/";
// Used instead while a file "hstest" lies in BaseDir, so a result can be sent to a test server on this
// machine.
inline constexpr std::string_view kTestPageBase = "http://127.0.0.1:888/";
// The settings file in BaseDir whose key Page in section [Scores] names the score server's page, as
// "http://host:port/path/" or "https://...".
inline constexpr std::string_view kSettingsFile = "stakkar.ini";

// The MD5 of the table, the entry's nine values and the build, joined without separators: 32 lower-case hex
// digits.
std::string UploadDigest(std::string_view gameType, std::string_view difficulty, const tResultRecord& entry);
// Build, table, the entry's values and the digest, joined by "|"; a "|" inside a value is not escaped, the
// digest tells the server whether it split the record right.
std::string UploadData(std::string_view gameType, std::string_view difficulty, const tResultRecord& entry);
// Every byte as "%" and two upper-case hex digits, letters and digits included.
std::string PercentEncodeAll(std::string_view bytes);
// kTestPageBase while BaseDir holds a file "hstest"; otherwise the page the settings file names, with a
// closing "/" added when it has none; kScorePageBase when it names none or something that is no web address.
std::string UploadPageBase();
// The page base, "index.php?tab=hscore&data=" and the encoded record.
std::string UploadAddress(std::string_view gameType, std::string_view difficulty, const tResultRecord& entry);

// The request line and header lines together that the score server reads. An upload carries its whole
// result, its replay included, in the address, so the bound is stated here, where the address is made.
inline constexpr size_t kMaxRequestHeadBytes = 64 * 1024;
// What a browser's request holds beside the address: "GET ", " HTTP/1.1" and its header lines (host, agent,
// languages, encodings, fetch metadata), with room to spare.
inline constexpr size_t kRequestRoomBesideAddress = 4 * 1024;
// The longest address that goes with its replay. It counts the scheme and host too, which the request line
// leaves out.
inline constexpr size_t kMaxReplayAddress = kMaxRequestHeadBytes - kRequestRoomBesideAddress;

// Base64url (RFC 4648, section 5) without padding.
std::string Base64Url(std::string_view bytes);
// Whether a replay file of this many bytes goes with the entry's upload.
bool ReplayFitsUpload(std::string_view gameType, std::string_view difficulty, const tResultRecord& entry,
                      size_t replayBytes);

struct tReplayUpload {
    std::string Address;
    // The entry has a replay, but the address with it would pass kMaxReplayAddress.
    bool ReplayLeftOut = false;
};
// UploadAddress followed by "&replay=" and the replay file's bytes in base64url; without the replay when it
// does not fit (ReplayFitsUpload) and when there is none.
tReplayUpload UploadAddressWithReplay(std::string_view gameType, std::string_view difficulty,
                                      const tResultRecord& entry, std::string_view replay);
