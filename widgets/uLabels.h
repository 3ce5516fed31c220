// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A label that shows program texts.

#include <QLabel>
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
    // Texts reach the screen at the pacer's frames from now on.
    void SetPacer(tFramePacer* pacer) { pacer_ = pacer; }
    void SetColor(uint32_t colorBGR);
    void SetOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ShowText();
    void SetShown(const QString& text);

    QString text_;
    // The code-page text set last, while it is the one shown.
    std::string bytes_;
    bool fromBytes_ = false;
    bool shown_ = false;
    tFramePacer* pacer_ = nullptr;
    std::function<void()> onClick_;
};
