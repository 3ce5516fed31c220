// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One answer, before the HTTP layer frames it with the header lines that every answer carries.

#include <QByteArray>
#include <boost/beast/http/field.hpp>
#include <boost/beast/http/status.hpp>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

inline constexpr const char* kHtmlType = "text/html; charset=utf-8";
inline constexpr const char* kJsonType = "application/json";
inline constexpr const char* kTextType = "text/plain; charset=utf-8";
// A file to be saved rather than shown, such as a replay.
inline constexpr const char* kFileType = "application/octet-stream";

struct tHttpReply;
// The last step of an answer that waited for work away from the loop; it runs on the loop's thread.
using tHttpFinish = std::function<tHttpReply()>;

struct tHttpReply {
    boost::beast::http::status Status = boost::beast::http::status::ok;
    const char* Type = kHtmlType;
    QByteArray Body;
    // The lines this answer adds, such as Allow or Retry-After.
    std::vector<std::pair<boost::beast::http::field, std::string>> Headers;
    // The Content-Security-Policy of a page that runs more than every other page may; empty for theirs.
    std::string Policy = {};
    // Work too long for the loop's thread, which serves every connection: when set, it runs on a worker
    // thread, touching nothing the loop's thread uses, and the answer is what the step it returns gives.
    std::function<tHttpFinish()> Work = {};
    // What the metrics count this answer under: the pattern of the route that gave it, or "http" for an
    // answer the HTTP layer gives itself, such as a refusal of a request it cannot read.
    std::string_view Route = "http";
};
