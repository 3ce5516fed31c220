// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The flat look of the program's panels and option controls: a face, a one-pixel border and the text, all in
// colours the skin gives. One style paints every flat widget; the colours ride in the widget's palette.

#include <QColor>
#include <QProxyStyle>

class QFrame;
class QWidget;

struct tFlatColors {
    QColor face;
    // The face while the control has the focus (edits, spin edits, check boxes).
    QColor focused;
    // The face of a check box while the mouse holds it down.
    QColor pressed;
    QColor border;
    QColor text;
    // The combo box arrow and the check mark.
    QColor mark;
    // The square behind the combo box arrow.
    QColor markBackground;
};

class tFlatStyle : public QProxyStyle {
    Q_OBJECT
public:
    tFlatStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
};

// The one style instance; it lives as long as the application.
tFlatStyle* FlatStyle();

// The widget, and the edit inside a spin edit, paint flat in these colours.
void SetFlatColors(QWidget* widget, const tFlatColors& colors);
// A flat panel: its face fills it, its border runs around it.
void SetFlatPanelColors(QFrame* panel, const QColor& face, const QColor& border);
// Hint windows are made by the toolkit as they are first shown; from then on they paint flat in the hint
// colours of QToolTip::palette(): the face ToolTipBase, the text ToolTipText, the border Dark.
void PaintHintsFlat();
// A label's text colour, leaving its background to the panel under it.
void SetTextColor(QWidget* widget, const QColor& text);
