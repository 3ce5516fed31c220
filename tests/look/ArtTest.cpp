// SPDX-License-Identifier: GPL-3.0-or-later
#include "look/uSkinTable.h"
#include "platform/uResource.h"

#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

struct tExpected {
    std::string name;
    QSize size;
};

// Every built-in picture the program draws: the skin's own at their sizes (block images without the key
// column), then the log-in and about pictures.
std::vector<tExpected> BuiltInPictures() {
    std::vector<tExpected> pictures;
    for (const tSkinBitmapRow& row : SkinBitmapRows()) {
        if (row.resource) {
            pictures.push_back({row.resource, QSize(row.width - (row.keyColumn ? 1 : 0), row.height)});
        }
    }
    for (const char* name : {"About", "AboutS"}) {
        pictures.push_back({name, QSize(31, 30)});
    }
    for (const char* name : {"LogInB", "LogInBS"}) {
        pictures.push_back({name, QSize(22, 21)});
    }
    pictures.push_back({"LoginBMP", QSize(300, 360)});
    pictures.push_back({"Photo", QSize(220, 280)});
    return pictures;
}

bool IsPureRed(QRgb pixel) {
    return (pixel & 0xFFFFFF) == 0xFF0000;
}

} // namespace

TEST(BuiltInArt, EveryPictureIsCarriedAtItsExactSize) {
    std::set<std::string> seen;
    for (const auto& [name, size] : BuiltInPictures()) {
        const QImage image = LoadResourceBitmap(name);
        EXPECT_EQ(image.size(), size) << name;
        seen.insert(name);
    }
    EXPECT_EQ(seen.size(), 33u);
    EXPECT_TRUE(LoadResourceBitmap("NoSuchPicture").isNull());
}

TEST(BuiltInArt, OnlyTheLandingMarkUsesPureRedAndItShowsAShapeThroughIt) {
    const QImage mark = LoadResourceBitmap("BlockShadow");
    int red = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            red += IsPureRed(mark.pixel(x, y)) ? 1 : 0;
        }
    }
    EXPECT_GT(red, 200);
    EXPECT_LT(red, 380);
    for (const char* name : {"Block", "BlockFree", "BlockFix"}) {
        const QImage block = LoadResourceBitmap(name);
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                ASSERT_FALSE(IsPureRed(block.pixel(x, y))) << name << " " << x << "," << y;
            }
        }
    }
}

TEST(BuiltInArt, BlocksStandOutFromTheEmptyCellAndFixedBlocksFromFallingOnes) {
    const QImage block = LoadResourceBitmap("Block");
    const QImage fixed = LoadResourceBitmap("BlockFix");
    const QImage free = LoadResourceBitmap("BlockFree");
    const auto lightness = [](const QImage& image) { return QColor(image.pixel(10, 10)).lightness(); };
    EXPECT_GT(lightness(block) - lightness(free), 80);
    EXPECT_NE(block.pixel(10, 10), fixed.pixel(10, 10));
}

TEST(BuiltInArt, ButtonsLetThePanelShowAroundThemAndChangeUnderThePointer) {
    const std::pair<const char*, const char*> pairs[] = {
        {"Help", "HelpS"}, {"User", "UserS"}, {"Exit", "ExitS"},   {"Def", "DefS"},
        {"Load", "LoadS"}, {"Save", "SaveS"}, {"About", "AboutS"}, {"LogInB", "LogInBS"}};
    for (const auto& [normal, hover] : pairs) {
        for (const char* name : {normal, hover}) {
            const QImage image = LoadResourceBitmap(name);
            const QRgb key = image.pixel(0, image.height() - 1);
            // The button picture takes its transparent colour from the bottom-left pixel: the corners are
            // that colour, the face and the icon are not.
            EXPECT_EQ(image.pixel(image.width() - 1, 0), key) << name;
            EXPECT_NE(image.pixel(image.width() / 2, image.height() / 2), key) << name;
            EXPECT_NE(image.pixel(image.width() / 2, 3), key) << name;
        }
        EXPECT_NE(LoadResourceBitmap(normal), LoadResourceBitmap(hover)) << normal;
    }
    EXPECT_NE(LoadResourceBitmap("Upload"), LoadResourceBitmap("UploadS"));
}

TEST(BuiltInArt, SelectedTabsOpenIntoTheirPageAndUnselectedOnesAreClosed) {
    for (const auto& [selected, unselected] : {std::pair{"GameS", "GameU"}, std::pair{"OptS", "OptU"}}) {
        const QImage open = LoadResourceBitmap(selected);
        const QImage closed = LoadResourceBitmap(unselected);
        // The last column lies on the page's border line.
        EXPECT_EQ(closed.pixel(30, 30), closed.pixel(0, 30)) << unselected;
        EXPECT_NE(open.pixel(30, 30), open.pixel(0, 30)) << selected;
        EXPECT_NE(open, closed);
    }
    EXPECT_NE(LoadResourceBitmap("GameS"), LoadResourceBitmap("OptS"));
}

TEST(BuiltInArt, TheScalableIconIsThePictureOfThePngIcons) {
    QSvgRenderer svg(QString(STAKKAR_SCALABLE_ICON));
    ASSERT_TRUE(svg.isValid()) << "not an SVG document Qt can draw";
    EXPECT_EQ(svg.viewBox(), QRect(0, 0, 256, 256));
    const QImage png = QImage(QString(STAKKAR_LARGEST_ICON)).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(png.size(), QSize(256, 256));
    QImage drawn(png.size(), QImage::Format_ARGB32);
    drawn.fill(Qt::transparent);
    {
        QPainter painter(&drawn);
        svg.render(&painter);
    }
    // Edges anti-aliased one way or the other may differ; the picture may not.
    int far = 0;
    for (int y = 0; y < png.height(); ++y) {
        for (int x = 0; x < png.width(); ++x) {
            const QColor a = QColor::fromRgba(png.pixel(x, y));
            const QColor b = QColor::fromRgba(drawn.pixel(x, y));
            const int difference = std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                                             std::abs(a.blue() - b.blue()), std::abs(a.alpha() - b.alpha())});
            far += difference > 24 ? 1 : 0;
        }
    }
    EXPECT_LT(far, png.width() * png.height() / 50) << "pixels far from the PNG icon's";
}
