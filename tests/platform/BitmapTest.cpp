// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uBitmap.h"

#include <gtest/gtest.h>

namespace {

QImage Pattern(int w, int h, QImage::Format format) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            image.setPixel(x, y, qRgb(x * 11 % 256, y * 13 % 256, (x + y) * 7 % 256));
        }
    }
    return image.convertToFormat(format);
}

} // namespace

TEST(DrawBitmap, OpaqueDrawingMatchesAPixelExactCopyEvenWhenClipped) {
    const tBitmap block{Pattern(20, 20, QImage::Format_RGB32), false, 0};
    const tBitmap wide{Pattern(20, 20, QImage::Format_RGB888), false, 0};
    for (const QImage::Format format :
         {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied}) {
        for (const QPoint at :
             {QPoint(3, 4), QPoint(-7, -5), QPoint(40, 30), QPoint(-25, 0), QPoint(50, 50)}) {
            for (const tBitmap* source : {&block, &wide}) {
                QImage drawn(50, 40, format);
                drawn.fill(Qt::transparent);
                QImage copied = drawn;
                copied.detach();
                DrawBitmap(drawn, at.x(), at.y(), *source);
                CopyRect(copied, at.x(), at.y(), source->image, 0, 0, 20, 20);
                EXPECT_EQ(drawn, copied) << format << " at " << at.x() << "," << at.y();
            }
        }
    }
}

TEST(DrawBitmap, TheTransparentColourLeavesTheDestinationShowing) {
    QImage mark = Pattern(20, 20, QImage::Format_RGB32);
    for (int i = 0; i < 20; ++i) {
        mark.setPixel(i, 0, qRgb(255, 0, 0));
        mark.setPixel(0, i, qRgb(255, 0, 0));
    }
    const tBitmap source{mark, true, qRgb(255, 0, 0)};
    for (const QImage::Format format :
         {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB888}) {
        QImage dst(30, 30, format);
        dst.fill(qRgb(1, 2, 3));
        DrawBitmap(dst, 15, -1, source);
        EXPECT_EQ(dst.pixel(15, 5), qRgb(1, 2, 3)) << "key column";
        EXPECT_EQ(dst.pixel(16, 0), mark.pixel(1, 1)) << "first row clipped away, the next one drawn";
        EXPECT_EQ(dst.pixel(29, 10), mark.pixel(14, 11));
        EXPECT_EQ(dst.pixel(14, 10), qRgb(1, 2, 3));
    }
}
