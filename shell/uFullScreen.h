// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Full screen without a switch of display mode: the window's client, drawn at its own fixed size, is shown
// scaled to fill the screen and keep its shape, through a graphics view that passes the mouse and the keys
// on to it. Out of full screen the window is a fixed frame of the client's size, centred on its screen.

#include <QObject>
#include <QSize>
#include <Qt>

class QGraphicsProxyWidget;
class QGraphicsScene;
class QGraphicsView;
class QWidget;

// The window's frame out of full screen: a title, a menu, minimising and closing, but no resizing.
inline constexpr Qt::WindowFlags kWindowedFrame = Qt::Window | Qt::WindowTitleHint |
                                                  Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                                  Qt::WindowCloseButtonHint;

class tFullScreen : public QObject {
public:
    // Lays the window out as a frame of the client's size; client is the window's only child but the view.
    tFullScreen(QWidget& window, QWidget& client, QSize clientSize);

    void Set(bool on);
    bool On() const { return view_ != nullptr; }
    // The view that shows the client while full screen, which keys enter the window through; null otherwise.
    QGraphicsView* View() const { return view_; }

protected:
    // The window's size follows the screen's; the client's scale follows the window's.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Enter();
    void Leave();
    void Centre();
    void Fit();

    QWidget& window_;
    QWidget& client_;
    QSize clientSize_;
    QGraphicsScene* scene_ = nullptr;
    QGraphicsProxyWidget* proxy_ = nullptr;
    QGraphicsView* view_ = nullptr;
};
