// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uViewerRoute.h"

#include "server/pages/uViewerFiles.h"
#include "server/uRouteReplies.h"

using boost::beast::http::field;
using boost::beast::http::status;

tHttpReply AnswerViewerFile(tRouteContext&, const tRequest& request) {
    const tViewerFile* file =
        ViewerFile({request.Rest.constData(), static_cast<size_t>(request.Rest.size())});
    if (file == nullptr) {
        return NotFound("There is no such file of the game viewer.");
    }
    return {status::ok,
            file->Type,
            file->Bytes,
            {{field::etag, "\"" + ViewerVersion() + "\""},
             {field::cache_control, "public, max-age=31536000, immutable"}}};
}
