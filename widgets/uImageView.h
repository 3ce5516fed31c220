#pragma once
// A picture control that shows a persistent image.

#include <QImage>
#include <QWidget>

#include <functional>

// A picture control: shows its image, reports clicks. Drawing goes into Image(), then Changed() the area.
class tImageView : public QWidget {
public:
    tImageView(QWidget* parent, int width, int height, bool opaque);

    QImage& Image() { return image_; }
    const QImage& Image() const { return image_; }
    void Changed(const QRect& area) { update(area); }
    void SetOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage image_;
    std::function<void()> onClick_;
};
