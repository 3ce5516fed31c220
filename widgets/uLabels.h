#pragma once
// The small widgets the game view is made of: a picture that shows a persistent image, and labels that show
// program texts.

#include <QImage>
#include <QLabel>
#include <QWidget>
#include <functional>
#include <string>

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

// A fixed-size, centred, transparent label for program texts; a click may be reported.
class tTextLabel : public QLabel {
public:
    tTextLabel(QWidget* parent, int left, int top, int width, int height, bool bold);

    // Shows a code-page text; a line feed followed by a carriage return is one line break.
    void SetText(const std::string& text);
    const std::string& Text() const { return text_; }
    void SetColor(uint32_t colorBGR);
    void SetOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::string text_;
    bool shown_ = false;
    std::function<void()> onClick_;
};
