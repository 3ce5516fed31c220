// SPDX-License-Identifier: GPL-3.0-or-later
// How the route table reads an address: the patterns of its routes, and a query's "+" as each route takes it.

#include "server/uRoute.h"

#include <gtest/gtest.h>

TEST(RoutePattern, AStarTakesWhatLiesBetweenItsTwoSidesAndAQuestionMarkAsksForAQuery) {
    EXPECT_EQ(MatchPattern("/results/*/replay.rep", "/results/17/replay.rep", false), "17");
    EXPECT_EQ(MatchPattern("/results/*/replay.rep", "/results/a/b/replay.rep", false), "a/b");
    EXPECT_EQ(MatchPattern("/results/*/replay.rep", "/results//replay.rep", false), "");
    // The two sides never share a byte.
    EXPECT_FALSE(MatchPattern("/results/*/replay.rep", "/results/replay.rep", false));
    EXPECT_EQ(MatchPattern("/players/*", "/players/", false), "");
    EXPECT_FALSE(MatchPattern("/search", "/search/", false));
    EXPECT_EQ(MatchPattern("/search", "/search", true), "");
    EXPECT_FALSE(MatchPattern("/index.php?", "/index.php", false));
    EXPECT_EQ(MatchPattern("/index.php?", "/index.php", true), "");
}

TEST(QueryValues, APlusIsASpaceToTheFormsAndItselfToTheUpload) {
    const QByteArray query = "na+me=x&name=Ivan+Petrov%2B1&data=a+b&page";
    EXPECT_EQ(QueryValue(query, "name", tPlusSign::Space), "Ivan Petrov+1");
    EXPECT_EQ(QueryValue(query, "name", tPlusSign::Itself), "Ivan+Petrov+1");
    EXPECT_EQ(QueryValue(query, "na me", tPlusSign::Space), "x");
    EXPECT_EQ(QueryValue(query, "data", tPlusSign::Itself), "a+b");
    EXPECT_EQ(QueryValue(query, "page", tPlusSign::Space), QByteArray());
    EXPECT_FALSE(QueryValue(query, "replay", tPlusSign::Itself));
}
