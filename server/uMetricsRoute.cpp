// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uMetricsRoute.h"

namespace {

// The exposition format's version, which a scraper reads off the type.
constexpr const char* kMetricsType = "text/plain; version=0.0.4; charset=utf-8";

} // namespace

tHttpReply AnswerMetrics(tRouteContext& context, const tRequest&) {
    const std::string text = context.Metrics.Text();
    return {boost::beast::http::status::ok,
            kMetricsType,
            QByteArray(text.data(), static_cast<qsizetype>(text.size())),
            {}};
}
