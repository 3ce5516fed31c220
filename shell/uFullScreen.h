// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window at any size without a switch of display mode: the window's client, drawn at its own fixed size,
// is shown scaled to fill the window and keep its shape, through a graphics view that passes the mouse and
// the keys on to it, whenever the window is not the client's size: in full screen, maximised, or resized by
// the player. At the client's size the window holds the client itself, centred on its screen at first.

#include <QObject>
#include <QSize>
#include <Qt>

class QGraphicsProxyWidget;
class QGraphicsScene;
class QGraphicsView;
class QWidget;

// The window's frame out of full screen: a title, a menu, minimising, maximising, closing and resizing.
inline constexpr Qt::WindowFlags kWindowedFrame = Qt::Window | Qt::WindowTitleHint |
                                                  Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                                  Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;

class tFullScreen : public QObject {
public:
    // Lays the window out as a frame of the client's size, which is also its smallest; client is the window's
    // only child but the view.
    tFullScreen(QWidget& window, QWidget& client, QSize clientSize);

    void Set(bool on);
    bool On() const { return on_; }
    // The view that shows the client scaled, which keys enter the window through; null while the window is
    // the client's size out of full screen.
    QGraphicsView* View() const { return view_; }

protected:
    // The client's scale follows the window's size, whoever changed it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Scale();
    void Unscale();
    void Centre();
    void Fit();

    QWidget& window_;
    QWidget& client_;
    QSize clientSize_;
    bool on_ = false;
    QGraphicsScene* scene_ = nullptr;
    QGraphicsProxyWidget* proxy_ = nullptr;
    QGraphicsView* view_ = nullptr;
};
