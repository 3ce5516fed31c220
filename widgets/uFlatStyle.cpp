// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/uFlatStyle.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>

#include <algorithm>

// Where each flat colour rides in a widget's palette.
namespace {

constexpr QPalette::ColorRole kFace = QPalette::Base;
constexpr QPalette::ColorRole kFocused = QPalette::Midlight;
constexpr QPalette::ColorRole kPressed = QPalette::Mid;
constexpr QPalette::ColorRole kBorder = QPalette::Shadow;
constexpr QPalette::ColorRole kMark = QPalette::BrightText;
constexpr QPalette::ColorRole kMarkBackground = QPalette::Dark;
// The widest a hint window grows.
constexpr int kHintMaxWidth = 350;

void Outline(QPainter* painter, const QRect& rect, const QColor& color) {
    painter->save();
    painter->setPen(color);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

// A small filled triangle pointing up or down, centred in the rectangle.
void Arrow(QPainter* painter, const QRect& rect, bool up, const QColor& color) {
    const QPointF centre = QRectF(rect).center();
    // Spin buttons are short and wide: their arrows take a third of the height, at least three pixels.
    const qreal half = std::max(3.0, std::min(rect.width() / 4.0, rect.height() / 3.0));
    const qreal rise = up ? -half / 2 : half / 2;
    QPainterPath path;
    path.moveTo(centre.x() - half, centre.y() - rise);
    path.lineTo(centre.x() + half, centre.y() - rise);
    path.lineTo(centre.x(), centre.y() + rise);
    path.closeSubpath();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->fillPath(path, color);
    painter->restore();
}

class tHintStyler : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::Polish && type != QEvent::Show && type != QEvent::Resize)
            return false;
        auto* tip = qobject_cast<QLabel*>(watched);
        if (tip == nullptr || !tip->inherits("QTipLabel"))
            return false;
        if (tip->style() != FlatStyle())
            tip->setStyle(FlatStyle());
        // The toolkit sizes a plain hint to its longest line; a longer one wraps at the hint window's limit.
        // The toolkit resets the wrapping each time it shows a new text, so it is looked at on every resize.
        if (tip->width() > kHintMaxWidth) {
            tip->setWordWrap(true);
            tip->resize(kHintMaxWidth, tip->heightForWidth(kHintMaxWidth));
        }
        return false;
    }
};

QColor Between(const QColor& a, const QColor& b) {
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

} // namespace

tFlatStyle::tFlatStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}

void tFlatStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const {
    const QPalette& colors = option->palette;
    const bool focus = option->state & State_HasFocus;
    switch (element) {
    case PE_PanelLineEdit: {
        painter->fillRect(option->rect, colors.color(focus ? kFocused : kFace));
        const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
        if (frame != nullptr && frame->lineWidth > 0)
            Outline(painter, option->rect, colors.color(kBorder));
        return;
    }
    case PE_FrameLineEdit:
        Outline(painter, option->rect, colors.color(kBorder));
        return;
    case PE_IndicatorCheckBox: {
        const QRect box = option->rect;
        if (option->state & State_Sunken)
            painter->fillRect(box, colors.color(kPressed));
        else if (focus)
            painter->fillRect(box, colors.color(kFocused));
        Outline(painter, box, colors.color(kBorder));
        if (option->state & (State_On | State_NoChange)) {
            painter->save();
            painter->setRenderHint(QPainter::Antialiasing, false);
            painter->setPen(QPen(colors.color(kMark), 2));
            const QRect in = box.adjusted(3, 3, -3, -3);
            painter->drawLine(in.left(), in.center().y(), in.center().x() - 1, in.bottom());
            painter->drawLine(in.center().x() - 1, in.bottom(), in.right(), in.top());
            painter->restore();
        }
        return;
    }
    case PE_PanelTipLabel:
        painter->fillRect(option->rect, colors.color(QPalette::ToolTipBase));
        Outline(painter, option->rect, colors.color(QPalette::Dark));
        return;
    case PE_FrameFocusRect:
        // Focus shows as the focused face.
        return;
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void tFlatStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const {
    if (element == CE_ShapedFrame) {
        const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
        if (frame != nullptr && frame->frameShape != QFrame::NoFrame)
            Outline(painter, option->rect, option->palette.color(kBorder));
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void tFlatStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                    QPainter* painter, const QWidget* widget) const {
    const QPalette& colors = option->palette;
    if (control == CC_ComboBox) {
        painter->fillRect(option->rect, colors.color(kFace));
        const QRect arrow = subControlRect(CC_ComboBox, option, SC_ComboBoxArrow, widget);
        painter->fillRect(arrow, colors.color(kMarkBackground));
        Arrow(painter, arrow, false, colors.color(kMark));
        Outline(painter, option->rect, colors.color(kBorder));
        return;
    }
    if (control == CC_SpinBox) {
        const bool focus = option->state & State_HasFocus;
        painter->fillRect(option->rect, colors.color(focus ? kFocused : kFace));
        const QRect up = subControlRect(CC_SpinBox, option, SC_SpinBoxUp, widget);
        const QRect down = subControlRect(CC_SpinBox, option, SC_SpinBoxDown, widget);
        const QColor text = colors.color(QPalette::Text);
        Arrow(painter, up, true, text);
        Arrow(painter, down, false, text);
        painter->save();
        painter->setPen(colors.color(kBorder));
        painter->drawLine(up.left() - 1, option->rect.top(), up.left() - 1, option->rect.bottom());
        painter->restore();
        Outline(painter, option->rect, colors.color(kBorder));
        return;
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

int tFlatStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    if (metric == PM_DefaultFrameWidth)
        return 1;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

tFlatStyle* FlatStyle() {
    static QPointer<tFlatStyle> style;
    if (!style) {
        style = new tFlatStyle;
        style->setParent(qApp);
    }
    return style;
}

void PaintHintsFlat() {
    static QPointer<tHintStyler> styler;
    if (!styler) {
        styler = new tHintStyler(qApp);
        qApp->installEventFilter(styler);
    }
}

void SetFlatColors(QWidget* widget, const tFlatColors& colors) {
    QPalette palette = widget->palette();
    const QColor dimText = Between(colors.text, colors.face);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QColor& text = group == QPalette::Disabled ? dimText : colors.text;
        palette.setColor(group, QPalette::Window, colors.face);
        palette.setColor(group, QPalette::Button, colors.face);
        palette.setColor(group, kFace, colors.face);
        palette.setColor(group, kFocused, colors.focused);
        palette.setColor(group, kPressed, colors.pressed);
        palette.setColor(group, kBorder, colors.border);
        palette.setColor(group, kMark, colors.mark);
        palette.setColor(group, kMarkBackground, colors.markBackground);
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::ButtonText, text);
        palette.setColor(group, QPalette::WindowText, text);
        // A selection shows inverted, in the control's own colours.
        palette.setColor(group, QPalette::Highlight, colors.text);
        palette.setColor(group, QPalette::HighlightedText, colors.face);
    }
    widget->setStyle(FlatStyle());
    widget->setPalette(palette);
    if (auto* list = qobject_cast<QComboBox*>(widget)) {
        // The drop-down list is a window of its own, which inherits nothing from the combo box.
        list->view()->setPalette(palette);
        list->view()->window()->setPalette(palette);
    }
    if (qobject_cast<QAbstractSpinBox*>(widget) != nullptr) {
        if (auto* edit = widget->findChild<QLineEdit*>())
            edit->setStyle(FlatStyle());
    }
    widget->update();
}

void SetFlatPanelColors(QFrame* panel, const QColor& face, const QColor& border) {
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, face);
    palette.setColor(kBorder, border);
    panel->setStyle(FlatStyle());
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
    panel->setFrameShape(QFrame::Box);
    panel->setLineWidth(1);
    panel->update();
}

void SetTextColor(QWidget* widget, const QColor& text) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
}
