// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The picture button: a picture that changes while the mouse is over it, has a hint, and acts on a click.
// Every button of the program is one.

#include <QImage>
#include <QLabel>
#include <string>
#include <string_view>

class tMyButton : public QLabel {
    Q_OBJECT
public:
    explicit tMyButton(QWidget* parent);

    // Both pictures belong to the button; the skin may replace them, then draw the normal one.
    void SetBitmaps(const QImage& normal, const QImage& hover);
    const QImage& NormalBitmap() const { return normalBitmap_; }
    const QImage& HoverBitmap() const { return hoverBitmap_; }
    void DrawNormal() { DrawPicture(normalBitmap_); }
    void DrawHover() { DrawPicture(hoverBitmap_); }
    // What the button shows now: the last picture drawn, its bottom-left colour made transparent.
    const QImage& Picture() const { return picture_; }

    void SetHint(const QString& hint);
    const QString& Hint() const { return hint_; }

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void DrawPicture(const QImage& bitmap);

    QImage normalBitmap_;
    QImage hoverBitmap_;
    QImage picture_;
    QString hint_;
    bool pressed_ = false;
};

// The picture with every pixel of the colour of its bottom-left pixel made transparent, so the panel shows
// through.
QImage KeyedPicture(const QImage& bitmap);

// A button on a panel with the built-in pictures of those names, showing the normal one; the caller wires
// clicked().
tMyButton* CreateImageButton(QWidget* panel, int left, int top, int width, int height,
                             std::string_view normalName, std::string_view hoverName, const QString& hint);
