// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/uGlyphText.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintEngine>
#include <QPainter>
#include <QTextLayout>

#include <cmath>
#include <memory>
#include <vector>

namespace {

// What counters, rates, times and scores are written with.
constexpr char16_t kCharacters[] = u"0123456789 .,:/[]-mx";
constexpr qsizetype kMostLines = 8;

// One line of `text`, laid out by Qt as drawText would.
QTextLine LaidOut(QTextLayout& layout) {
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();
    return line;
}

} // namespace

tGlyphText* tGlyphText::For(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    if (device == nullptr || painter.paintEngine() == nullptr ||
        painter.paintEngine()->type() != QPaintEngine::Raster || device->devicePixelRatioF() != 1.0 ||
        painter.combinedTransform().type() > QTransform::TxTranslate) {
        return nullptr;
    }
    const QFont& font = painter.font();
    if (font.letterSpacing() != 0 || font.wordSpacing() != 0 || font.capitalization() != QFont::MixedCase ||
        font.underline() || font.overline() || font.strikeOut()) {
        return nullptr;
    }
    // A handful of fonts at most: the window's, bold, and the table's.
    struct tKnown {
        QFont font;
        int dpi;
        std::unique_ptr<tGlyphText> glyphs;
    };
    static std::vector<tKnown> known;
    const int dpi = device->logicalDpiY();
    for (const tKnown& entry : known) {
        if (entry.dpi == dpi && entry.font == font) {
            return entry.glyphs.get();
        }
    }
    known.push_back({font, dpi, std::make_unique<tGlyphText>(font)});
    return known.back().glyphs.get();
}

// The glyphs are drawn with the very font the layout uses.
tGlyphText::tGlyphText(const QFont& font) : font_(font) {
    QTextLayout probe(QStringLiteral("0"), font_);
    const QTextLine line = LaidOut(probe);
    const QList<QGlyphRun> runs = probe.glyphRuns();
    if (!runs.isEmpty()) {
        raw_ = runs[0].rawFont();
    }
    ascent_ = line.ascent();
    lineHeight_ = line.ascent() + line.descent();
    leading_ = QFontMetricsF(font_).leading();
}

int tGlyphText::Slot(char16_t c) {
    for (int i = 0; i < kChars; ++i) {
        if (kCharacters[i] == c) {
            return i;
        }
    }
    return -1;
}

const tGlyphText::tGlyph& tGlyphText::Glyph(int slot) {
    tGlyph& glyph = glyphs_[static_cast<size_t>(slot)];
    if (!glyph.known) {
        QTextLayout layout(QString(QChar(kCharacters[slot])), font_);
        const QTextLine line = LaidOut(layout);
        const QList<QGlyphRun> runs = layout.glyphRuns();
        glyph.known = true;
        glyph.advance = line.horizontalAdvance();
        // A character that does not come out as one glyph of the font itself is never drawn here.
        if (runs.size() == 1 && runs[0].glyphIndexes().size() == 1 && runs[0].rawFont() == raw_) {
            glyph.index = runs[0].glyphIndexes()[0];
        } else {
            glyph.advance = -1;
        }
    }
    return glyph;
}

bool tGlyphText::Plain(int left, int right) {
    uint8_t& pair = pairs_[static_cast<size_t>(left)][static_cast<size_t>(right)];
    if (pair == 0) {
        const tGlyph& first = Glyph(left);
        const tGlyph& second = Glyph(right);
        const QChar both[] = {QChar(kCharacters[left]), QChar(kCharacters[right])};
        QTextLayout layout(QString(both, 2), font_);
        const QTextLine line = LaidOut(layout);
        const QList<QGlyphRun> runs = layout.glyphRuns();
        bool plain = first.advance >= 0 && second.advance >= 0 && runs.size() == 1 &&
                     line.horizontalAdvance() == first.advance + second.advance;
        if (plain) {
            const QList<quint32> indexes = runs[0].glyphIndexes();
            const QList<QPointF> positions = runs[0].positions();
            plain = indexes.size() == 2 && indexes[0] == first.index && indexes[1] == second.index &&
                    positions[1].x() - positions[0].x() == first.advance &&
                    positions[1].y() == positions[0].y();
        }
        pair = plain ? 1 : 2;
    }
    return pair == 1;
}

std::optional<double> tGlyphText::Width(const QString& text, qsizetype begin, qsizetype end) {
    double width = 0;
    int previous = -1;
    for (qsizetype i = begin; i < end; ++i) {
        const int slot = Slot(text[i].unicode());
        if (slot < 0 || Glyph(slot).advance < 0 || (previous >= 0 && !Plain(previous, slot))) {
            return std::nullopt;
        }
        width += Glyph(slot).advance;
        previous = slot;
    }
    return width;
}

std::optional<double> tGlyphText::Advance(const QString& text) {
    return Width(text, 0, text.size());
}

void tGlyphText::AddGlyphs(const QString& text, qsizetype begin, qsizetype end, double x, double y) {
    for (qsizetype i = begin; i < end; ++i) {
        const tGlyph& glyph = Glyph(Slot(text[i].unicode()));
        runIndexes_.append(glyph.index);
        runPositions_.append(QPointF(x, y));
        x += glyph.advance;
    }
}

void tGlyphText::Draw(QPainter& painter) {
    QGlyphRun run;
    run.setRawFont(raw_);
    run.setGlyphIndexes(runIndexes_);
    run.setPositions(runPositions_);
    painter.drawGlyphRun(QPointF(0, 0), run);
    runIndexes_.clear();
    runPositions_.clear();
}

bool tGlyphText::DrawAt(QPainter& painter, const QPointF& baseline, const QString& text) {
    if (!Width(text, 0, text.size())) {
        return false;
    }
    AddGlyphs(text, 0, text.size(), baseline.x(), baseline.y());
    Draw(painter);
    return true;
}

// Lines are placed as QPainter::drawText places them: each at the next whole pixel after the one before and
// its leading, none after the one that fills the box, the block centred, and clipped to the box where it
// reaches out of it.
bool tGlyphText::DrawCentred(QPainter& painter, const QRect& box, const QString& text) {
    struct tLine {
        qsizetype begin = 0;
        qsizetype end = 0;
        double width = 0;
        double top = 0;
    };
    std::array<tLine, kMostLines> lines{};
    qsizetype count = 0;
    double height = -leading_;
    double widest = 0;
    for (qsizetype begin = 0;;) {
        if (count == kMostLines) {
            return false;
        }
        qsizetype end = text.indexOf(QLatin1Char('\n'), begin);
        if (end < 0) {
            end = text.size();
        }
        if (end == begin || text[begin] == u' ' || text[end - 1] == u' ') {
            return false;
        }
        const std::optional<double> width = Width(text, begin, end);
        if (!width || *width > box.width()) {
            return false;
        }
        height = std::ceil(height + leading_);
        lines[static_cast<size_t>(count++)] = {begin, end, *width, height};
        height += lineHeight_;
        widest = std::max(widest, *width);
        begin = end + 1;
        if (height >= box.height() || end == text.size()) {
            break;
        }
    }
    const double top = box.y() + (box.height() - height) / 2;
    for (qsizetype i = 0; i < count; ++i) {
        const tLine& line = lines[static_cast<size_t>(i)];
        AddGlyphs(text, line.begin, line.end, box.x() + (box.width() - line.width) / 2,
                  top + line.top + ascent_);
    }
    const QRectF bounds(box.x() + (box.width() - widest) / 2, top, widest, height);
    if (QRectF(box).contains(bounds)) {
        Draw(painter);
        return true;
    }
    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
    Draw(painter);
    painter.restore();
    return true;
}
