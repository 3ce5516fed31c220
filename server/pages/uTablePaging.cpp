// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/pages/uTablePaging.h"

#include "server/pages/uPageAddresses.h"
#include "server/pages/uPageParts.h"

namespace {

// A link, or its text alone where the link would lead to this very page.
QString Step(const tTablePage& page, int64_t to, const char* rel, const char* text) {
    if (to == page.Number || to < 1 || to > page.Pages) {
        return QString("<span>%1</span>").arg(text);
    }
    return QString("<a rel=\"%1\" href=\"%2\">%3</a>")
        .arg(rel, Escaped(TablePagePath(page.GameType, page.Difficulty, to)), text);
}

} // namespace

QString PagingLinks(const tTablePage& page) {
    const int64_t first = page.FirstRank();
    return QString("<p class=\"pages\">results %1-%2 of %3 &middot; %4 %5 %6 %7</p>")
        .arg(first)
        .arg(first + static_cast<int64_t>(page.Rows.size()) - 1)
        .arg(page.Total)
        .arg(Step(page, 1, "first", "first"), Step(page, page.Number - 1, "prev", "previous"),
             Step(page, page.Number + 1, "next", "next"), Step(page, page.Pages, "last", "last"));
}

QByteArray PastEndPage(const tTablePage& page) {
    const QString body =
        QString("<p id=\"problem\">The table %1 ends at page %2.</p><p><a href=\"%3\">Last page</a> "
                "&middot; <a href=\"/\">All tables</a></p>")
            .arg(TableTitle(page.GameType, page.Difficulty))
            .arg(page.Pages)
            .arg(Escaped(TablePagePath(page.GameType, page.Difficulty, page.Pages)));
    return Page("No such page", body);
}
