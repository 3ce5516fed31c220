// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Publishing a stored result: the signed record and the address of the score server's page that receives it.
// The program only builds the address; the browser sends it, and no answer is ever read.

#include "platform/uBuild.h"
#include "storage/uHSEntry.h"

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
