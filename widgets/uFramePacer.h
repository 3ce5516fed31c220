// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Paces what the views put on screen to the display. A view that has changed asks for a frame; at the frame
// every view that asked marks its change and the window paints them all at once. However many game steps
// fall between two frames, they cost one paint, and the screen never shows half of a step. Frames are
// granted as the screen refreshes, with one in hand; what the player did may borrow one more, so that a key
// is shown at once while the falling figure waits for the next grant. Over any second there are no more
// frames than the screen refreshes, give or take the two in hand and the one borrowed.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include "platform/uWakeUp.h"

#include <functional>
#include <vector>

class tFramePacer : public QObject {
public:
    tFramePacer();

    // `show` runs at the next frame and marks what changed in `widget` (update()); a widget that asks again
    // before then is shown once, by its latest `show`. With a frame in hand it comes at the next turn of the
    // event loop, otherwise as soon as the screen's refresh grants one.
    void Request(QWidget* widget, std::function<void()> show);
    // The frame asked for shows what the player did: it comes at once, unless a frame is borrowed already.
    void Hurry();
    // The frame now, as the display's pace allows or not: for what must be seen before the program pauses.
    void ShowNow();
    int Frames() const { return frames_; }
    // Whether changes wait for their frame.
    bool Waiting() const { return !requests_.empty(); }

private:
    struct tRequest {
        QPointer<QWidget> widget;
        std::function<void()> show;
    };

    void Frame();
    // Adds the frames the screen's refresh has granted since last time; returns a refresh in nanoseconds.
    qint64 Refill(const QWidget& widget);

    // Kept with their capacity from frame to frame: a frame allocates nothing.
    std::vector<tRequest> requests_;
    std::vector<tRequest> showing_;
    // The windows frames have painted, kept watched: a frame that paints them again makes no new watch.
    struct tWindow {
        QPointer<QWidget> window;
        bool due = false;
    };
    std::vector<tWindow> windows_;
    tWakeUp timer_;
    QElapsedTimer clock_;
    qint64 refilled_ = 0;
    qint64 frame_ = 0;
    double inHand_ = 0;
    int frames_ = 0;
};
