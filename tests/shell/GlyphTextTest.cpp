// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/uGlyphText.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// Texts of counters, and texts with letters that kern, line breaks, spaces at the ends and lines too wide.
QString RandomText(std::mt19937& random) {
    static const QString characters = QStringLiteral("0123456789 .,:/[]-mx0123456789AVTyoW.\n");
    std::uniform_int_distribution<int> length(1, 40);
    std::uniform_int_distribution<qsizetype> pick(0, characters.size() - 1);
    QString text;
    for (int n = length(random); n > 0; --n) {
        text += characters[pick(random)];
    }
    return text;
}

QImage Drawn(const QFont& font, const std::function<void(QPainter&)>& draw) {
    QImage image(140, 70, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(QColor(20, 180, 60));
    draw(painter);
    return image;
}

} // namespace

TEST(GlyphText, DrawsEveryTextAsDrawTextDoesOrLeavesItToDrawText) {
    std::mt19937 random(7);
    int byGlyphs = 0;
    std::vector<QFont> fonts;
    for (const int size : {9, 7}) {
        for (const bool bold : {false, true}) {
            fonts.push_back(QApplication::font());
            fonts.back().setPointSize(size);
            fonts.back().setBold(bold);
        }
    }
    // A font that kerns "x-".
    fonts.emplace_back(QStringLiteral("DejaVu Serif"), 9);
    // Fixed texts first: the clears, a kerned pair, more lines than the box holds.
    const QString fixed[] = {QStringLiteral("x1: 12 [3,4/m]\nx2: 0 [0,0/m]"), QStringLiteral("3x-1 [x-2]"),
                             QStringLiteral("1\n2\n3\n4\n5\n6")};
    for (const QFont& font : fonts) {
        {
            QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
            QPainter scratchPainter(&scratch);
            scratchPainter.setFont(font);
            tGlyphText* glyphText = tGlyphText::For(scratchPainter);
            ASSERT_NE(glyphText, nullptr);
            for (int i = 0; i < 400; ++i) {
                const QString text = i < 3 ? fixed[i] : RandomText(random);
                const QRect box =
                    i < 3 ? QRect(4, 3, 120, 56) : QRect(4, 3, 60 + i % 62, i % 2 == 0 ? 14 : 56);
                const QImage theirs =
                    Drawn(font, [&](QPainter& p) { p.drawText(box, Qt::AlignCenter, text); });
                bool glyphs = false;
                const QImage ours = Drawn(font, [&](QPainter& p) {
                    glyphs = glyphText->DrawCentred(p, box, text);
                    if (!glyphs) {
                        p.drawText(box, Qt::AlignCenter, text);
                    }
                });
                ASSERT_EQ(ours, theirs)
                    << text.toStdString() << " in " << box.width() << " x " << box.height();
                EXPECT_TRUE(glyphs || i != 0) << "a counter's text is drawn as a glyph run";
                byGlyphs += glyphs ? 1 : 0;

                const QString line = text.section(QLatin1Char('\n'), 0, 0);
                const QPointF baseline(3, 20);
                bool at = false;
                const QImage placed =
                    Drawn(font, [&](QPainter& p) { at = glyphText->DrawAt(p, baseline, line); });
                if (at) {
                    EXPECT_EQ(placed, Drawn(font, [&](QPainter& p) { p.drawText(baseline, line); }))
                        << line.toStdString();
                    EXPECT_EQ(qRound(*glyphText->Advance(line)), QFontMetrics(font).horizontalAdvance(line));
                }
            }
        }
    }
    EXPECT_GT(byGlyphs, 100);

    // Where glyph runs would not give drawText's pixels, drawText draws.
    QImage sharp(20, 20, QImage::Format_ARGB32_Premultiplied);
    sharp.setDevicePixelRatio(2);
    QPainter painter(&sharp);
    EXPECT_EQ(tGlyphText::For(painter), nullptr);
}
