// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A label that shows program texts.

#include <QLabel>
#include <array>
#include <functional>
#include <string>

class tFramePacer;

// A fixed-size, centred, transparent label for program texts; a click may be reported.
class tTextLabel : public QLabel {
public:
    tTextLabel(QWidget* parent, int left, int top, int width, int height, bool bold);

    // Shows a code-page text; a line feed followed by a carriage return is one line break. The same text
    // again costs nothing.
    void SetText(const std::string& text);
    // The same for a text already decoded, such as a language's.
    void SetText(const QString& text);
    // The text set last, shown at once or at the pacer's next frame.
    const QString& Text() const { return text_; }
    // The text on screen.
    const QString& Shown() const { return buffers_[next_ ^ 1]; }
    // Texts reach the screen at the pacer's frames from now on.
    void SetPacer(tFramePacer* pacer) { pacer_ = pacer; }
    void SetColor(uint32_t colorBGR);
    void SetOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The text set last reaches the screen now, or at the pacer's next frame.
    void Show();
    void ShowText();
    // Whether the label draws its text itself: no frame, margin or indent.
    bool PaintsPlainly() const;

    QString text_;
    // The code-page text set last, while it is the one shown.
    std::string bytes_;
    bool fromBytes_ = false;
    bool shown_ = false;
    // The text on screen is one of the two while the other is written, so a counter's new text needs no new
    // memory even while the label holds it too.
    std::array<QString, 2> buffers_;
    size_t next_ = 0;
    tFramePacer* pacer_ = nullptr;
    std::function<void()> onClick_;
};
