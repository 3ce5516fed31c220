// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/http/uHttpRefusal.h"

#include "server/http/uHttpSettings.h"
#include "server/pages/uScorePages.h"

using boost::beast::http::field;
using boost::beast::http::status;

tHttpReply Refusal(status code) {
    switch (code) {
    case status::method_not_allowed:
        return {code,
                kHtmlType,
                ProblemPage("Method not allowed", "Only GET and HEAD are answered here."),
                {{field::allow, "GET, HEAD"}}};
    case status::payload_too_large:
        return {code,
                kHtmlType,
                ProblemPage("Request body refused",
                            "This server reads no request bodies; a result travels in the address."),
                {}};
    case status::uri_too_long:
        return {
            code,
            kHtmlType,
            ProblemPage(
                "Address too long",
                QString("The address is longer than %1 bytes; no result is that long.").arg(kMaxHeadBytes)),
            {}};
    case status::request_header_fields_too_large:
        return {
            code,
            kHtmlType,
            ProblemPage("Header lines too long",
                        QString("The request's header lines are longer than %1 bytes.").arg(kMaxHeadBytes)),
            {}};
    case status::service_unavailable:
        return {code,
                kHtmlType,
                ProblemPage("Too many connections",
                            "Too many connections are open, from this address or in all; try again later."),
                {}};
    default:
        return {status::bad_request,
                kHtmlType,
                ProblemPage("Bad request", "The request is not HTTP/1.1 as this server reads it."),
                {}};
    }
}

tHttpReply ChecksRefusal(long retrySeconds) {
    const QString seconds = retrySeconds == 1 ? "1 second" : QString("%1 seconds").arg(retrySeconds);
    return {status::service_unavailable,
            kHtmlType,
            ProblemPage("Too many replays waiting", "Too many replays wait to be checked; try again in " +
                                                        seconds + ". Nothing was stored."),
            {{field::retry_after, std::to_string(retrySeconds)}}};
}
