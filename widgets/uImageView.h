// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture control that shows a persistent image.

#include <QImage>
#include <QWidget>

#include <functional>

class tFramePacer;

// A picture control: shows its image, reports clicks. Drawing goes into Image(), then Changed() the area;
// only changed areas are painted again.
class tImageView : public QWidget {
public:
    tImageView(QWidget* parent, int width, int height, bool opaque);

    QImage& Image() { return image_; }
    const QImage& Image() const { return image_; }
    void Changed(const QRect& area);
    // Changes reach the screen at the pacer's frames from now on.
    void SetPacer(tFramePacer* pacer) { pacer_ = pacer; }
    void SetOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage image_;
    tFramePacer* pacer_ = nullptr;
    // What changed since the last frame, as one rectangle: cells far apart cost some pixels copied more, and
    // no region to keep.
    QRect changed_;
    std::function<void()> onClick_;
};
