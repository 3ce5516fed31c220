// SPDX-License-Identifier: GPL-3.0-or-later
#include "uArtIcons.h"

#include "uArtKit.h"

#include <QtMath>

namespace {

QPainterPath Polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

// A line with a filled arrowhead at its end.
QPainterPath Arrow(QPointF from, QPointF to, double width, double head) {
    const QLineF line(from, to);
    const QPointF unit = (to - from) / line.length();
    const QPointF normal(-unit.y(), unit.x());
    const QPointF base = to - unit * head;
    QPainterPath shaft;
    shaft.moveTo(from);
    shaft.lineTo(base + unit * 0.5);
    QPainterPath path = Stroked(shaft, width);
    path = path.united(Polygon({to, base + normal * head * 0.8, base - normal * head * 0.8}));
    return path.simplified();
}

// An arc of a circle around (8, 8.5) ending in an arrowhead; angles in degrees, counter-clockwise positive.
QPainterPath TurningArrow(double startDeg, double sweepDeg, double radius) {
    const QPointF c(8, 8.5);
    const QRectF box(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius);
    QPainterPath arc;
    arc.arcMoveTo(box, startDeg);
    arc.arcTo(box, startDeg, sweepDeg);
    QPainterPath path = Stroked(arc, 2.4);
    const double end = qDegreesToRadians(startDeg + sweepDeg);
    const QPointF tip(c.x() + radius * std::cos(end), c.y() - radius * std::sin(end));
    // The tangent in the direction of travel.
    const double dir = sweepDeg > 0 ? 1.0 : -1.0;
    const QPointF tangent(-std::sin(end) * dir, -std::cos(end) * dir);
    const QPointF normal(-tangent.y(), tangent.x());
    const QPointF point = tip + tangent * 3.2;
    path =
        path.united(Polygon({point, tip + normal * 3.4 - tangent * 0.6, tip - normal * 3.4 - tangent * 0.6}));
    return path.simplified();
}

QPainterPath Person(QPointF head, double scale) {
    QPainterPath path;
    path.addEllipse(head, 3.0 * scale, 3.0 * scale);
    QPainterPath body;
    const double top = head.y() + 3.6 * scale;
    body.moveTo(head.x() - 5.2 * scale, top + 5.8 * scale);
    body.cubicTo(head.x() - 5.2 * scale, top - 0.4 * scale, head.x() + 5.2 * scale, top - 0.4 * scale,
                 head.x() + 5.2 * scale, top + 5.8 * scale);
    body.closeSubpath();
    return path.united(body);
}

} // namespace

QPainterPath HelpIcon() {
    QPainterPath hook;
    hook.moveTo(4.6, 5.4);
    hook.cubicTo(4.6, 1.2, 11.6, 1.0, 11.6, 5.0);
    hook.cubicTo(11.6, 7.6, 8.2, 7.8, 8.2, 10.4);
    QPainterPath path = Stroked(hook, 2.8);
    path.addEllipse(QPointF(8.2, 14.0), 1.75, 1.75);
    return path.simplified();
}

QPainterPath InfoIcon() {
    QPainterPath ring;
    ring.addEllipse(QPointF(8, 8), 7.2, 7.2);
    QPainterPath hole;
    hole.addEllipse(QPointF(8, 8), 5.6, 5.6);
    QPainterPath path = ring.subtracted(hole);
    path.addEllipse(QPointF(8, 4.9), 1.25, 1.25);
    path.addRoundedRect(QRectF(6.9, 7.0, 2.2, 5.6), 0.8, 0.8);
    return path.simplified();
}

QPainterPath PlayerIcon() {
    const QPainterPath back = Person(QPointF(10.6, 4.0), 0.85);
    const QPainterPath front = Person(QPointF(6.4, 6.0), 1.0);
    // A gap around the front player keeps the two apart at this size.
    QPainterPath gap = Stroked(front, 2.2).united(front);
    return back.subtracted(gap).united(front).simplified();
}

QPainterPath ExitIcon() {
    QPainterPath frame;
    frame.moveTo(8.5, 2.0);
    frame.lineTo(2.5, 2.0);
    frame.lineTo(2.5, 14.0);
    frame.lineTo(8.5, 14.0);
    QPainterPath path = Stroked(frame, 2.2);
    return path.united(Arrow(QPointF(6.0, 8.0), QPointF(15.2, 8.0), 2.4, 4.2)).simplified();
}

QPainterPath DefaultsIcon() {
    QPainterPath path;
    const double rows[] = {3.2, 8.0, 12.8};
    const double knobs[] = {10.5, 5.5, 9.0};
    for (int i = 0; i < 3; ++i) {
        QPainterPath line;
        line.moveTo(1.8, rows[i]);
        line.lineTo(14.2, rows[i]);
        path = path.united(Stroked(line, 1.6));
        QPainterPath knob;
        knob.addRoundedRect(QRectF(knobs[i] - 2.0, rows[i] - 2.4, 4.0, 4.8), 1.2, 1.2);
        path = path.united(knob);
    }
    return path.simplified();
}

QPainterPath RestoreIcon() {
    return TurningArrow(-60, 270, 5.6);
}

QPainterPath SaveIcon() {
    QPainterPath body;
    body.moveTo(1.5, 2.5);
    body.quadTo(1.5, 1.5, 2.5, 1.5);
    body.lineTo(12.0, 1.5);
    body.lineTo(14.5, 4.0);
    body.lineTo(14.5, 13.5);
    body.quadTo(14.5, 14.5, 13.5, 14.5);
    body.lineTo(2.5, 14.5);
    body.quadTo(1.5, 14.5, 1.5, 13.5);
    body.closeSubpath();
    QPainterPath shutter;
    shutter.addRect(QRectF(4.5, 1.5, 7.0, 4.6));
    QPainterPath label;
    label.addRoundedRect(QRectF(3.6, 8.4, 8.8, 6.1), 0.8, 0.8);
    QPainterPath path = body.subtracted(shutter).subtracted(label);
    path.addRect(QRectF(8.6, 2.3, 1.8, 3.0));
    path.addRect(QRectF(5.0, 10.0, 6.0, 1.0));
    path.addRect(QRectF(5.0, 12.2, 6.0, 1.0));
    return path.simplified();
}

QPainterPath UploadIcon() {
    QPainterPath path = Arrow(QPointF(8, 11.0), QPointF(8, 1.2), 2.6, 5.0);
    QPainterPath tray;
    tray.moveTo(2.2, 10.5);
    tray.lineTo(2.2, 14.4);
    tray.lineTo(13.8, 14.4);
    tray.lineTo(13.8, 10.5);
    return path.united(Stroked(tray, 2.0)).simplified();
}

QPainterPath WatchIcon() {
    QPainterPath path;
    path.moveTo(4.0, 1.8);
    path.lineTo(14.2, 8.0);
    path.lineTo(4.0, 14.2);
    path.closeSubpath();
    return path;
}

QPainterPath EnterIcon() {
    return Arrow(QPointF(2.0, 8.0), QPointF(14.8, 8.0), 3.0, 5.6);
}

QPainterPath TurnIcon(bool clockwise) {
    if (!clockwise) {
        return RestoreIcon();
    }
    QTransform mirror;
    mirror.translate(16, 0);
    mirror.scale(-1, 1);
    return mirror.map(RestoreIcon());
}

QPainterPath ShiftIcon(bool left) {
    return left ? Arrow(QPointF(14.0, 8.0), QPointF(1.6, 8.0), 2.8, 5.4)
                : Arrow(QPointF(2.0, 8.0), QPointF(14.4, 8.0), 2.8, 5.4);
}

QPainterPath DownIcon(bool twice) {
    if (!twice) {
        return Arrow(QPointF(8.0, 1.6), QPointF(8.0, 14.6), 2.8, 5.4);
    }
    // Two chevrons, one above the other: all the way down, fast.
    QPainterPath path;
    for (const double top : {2.0, 8.4}) {
        QPainterPath chevron;
        chevron.moveTo(2.6, top);
        chevron.lineTo(8.0, top + 5.0);
        chevron.lineTo(13.4, top);
        path = path.united(Stroked(chevron, 2.8));
    }
    return path.simplified();
}

QPainterPath DropIcon() {
    QPainterPath path = Arrow(QPointF(8.0, 1.0), QPointF(8.0, 11.6), 2.6, 5.0);
    QPainterPath floor;
    floor.moveTo(2.0, 14.6);
    floor.lineTo(14.0, 14.6);
    return path.united(Stroked(floor, 2.0)).simplified();
}

QPainterPath GameIcon() {
    QPainterPath path;
    const QPointF cells[] = {{1.0, 5.0}, {5.5, 5.0}, {10.0, 5.0}, {5.5, 9.5}};
    for (const QPointF& c : cells) {
        path.addRoundedRect(QRectF(c.x(), c.y(), 4.2, 4.2), 0.8, 0.8);
    }
    return path;
}

QPainterPath GearIcon() {
    QPainterPath path;
    path.addEllipse(QPointF(8, 8), 5.2, 5.2);
    for (int i = 0; i < 8; ++i) {
        QTransform turn;
        turn.translate(8, 8);
        turn.rotate(45.0 * i);
        QPainterPath tooth;
        tooth.addRoundedRect(QRectF(-1.5, -7.6, 3.0, 3.6), 0.6, 0.6);
        path = path.united(turn.map(tooth));
    }
    QPainterPath hole;
    hole.addEllipse(QPointF(8, 8), 2.2, 2.2);
    return path.subtracted(hole).simplified();
}
