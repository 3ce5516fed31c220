// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Counters and score cells show new texts many times a second, and laying each text out (itemizing, shaping,
// breaking lines) is most of the work of drawing it. Their texts are made of a few characters (digits and
// some signs) whose glyphs simply stand side by side: each character's glyph and advance is taken once from
// Qt's own layout, and each pair of characters is checked once to stand without kerning. Such a text is then
// drawn as one glyph run where QPainter::drawText would put it: the same pixels without the layout. Any other
// text is left to QPainter::drawText.

#include <QFont>
#include <QRawFont>

#include <array>
#include <cstdint>
#include <optional>

class QPainter;
class QPointF;
class QRect;
class QString;

class tGlyphText {
public:
    // The glyphs of the painter's font as the painter's device takes them, or nullptr where glyph runs would
    // not give drawText's pixels (a transformed painter, a device pixel ratio other than 1).
    static tGlyphText* For(const QPainter& painter);

    explicit tGlyphText(const QFont& font);

    // As painter.drawText(box, Qt::AlignCenter, text), lines broken at '\n'. False, with nothing drawn, for a
    // text of other characters, with spaces at a line's ends, or a line wider than the box.
    bool DrawCentred(QPainter& painter, const QRect& box, const QString& text);
    // As painter.drawText(baseline, text); false, with nothing drawn, for a text of other characters.
    bool DrawAt(QPainter& painter, const QPointF& baseline, const QString& text);
    // QFontMetricsF::horizontalAdvance of a text of these characters.
    std::optional<double> Advance(const QString& text);

private:
    static constexpr int kChars = 20;

    struct tGlyph {
        uint32_t index = 0;
        double advance = 0;
        bool known = false;
    };

    // The place of `c` among the characters drawn here, or -1.
    static int Slot(char16_t c);
    const tGlyph& Glyph(int slot);
    // Whether the glyphs of `left` then `right` stand side by side in Qt's layout, exactly at the advance.
    bool Plain(int left, int right);
    // The width of the characters from `begin` to `end`, if each is drawn here and each pair is plain.
    std::optional<double> Width(const QString& text, qsizetype begin, qsizetype end);
    void AddGlyphs(const QString& text, qsizetype begin, qsizetype end, double x, double y);
    void Draw(QPainter& painter);

    QFont font_;
    QRawFont raw_;
    double ascent_ = 0;
    double lineHeight_ = 0;
    double leading_ = 0;
    std::array<tGlyph, kChars> glyphs_{};
    // 0 not yet checked, 1 plain, 2 kerned or joined.
    std::array<std::array<uint8_t, kChars>, kChars> pairs_{};
    QList<quint32> runIndexes_;
    QList<QPointF> runPositions_;
};
