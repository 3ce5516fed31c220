#pragma once
// A label that shows program texts.

#include <QLabel>
#include <functional>
#include <string>

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
