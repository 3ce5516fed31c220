#pragma once
// Paces what the views put on screen to the display. A view that has changed asks for a frame; at the frame,
// at most one a refresh of its screen, every view that asked marks its change and the window paints them all
// at once. However many game steps fall between two frames, they cost one paint, and the screen never shows
// half of a step.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

class tFramePacer : public QObject {
public:
    tFramePacer();

    // `show` runs at the next frame and marks what changed in `widget` (update()); a widget that asks again
    // before then is shown once, by its latest `show`. An idle pacer shows the frame at the next turn of
    // the event loop, a busy one a refresh after its last frame.
    void Request(QWidget* widget, std::function<void()> show);
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

    std::vector<tRequest> requests_;
    QTimer timer_;
    QElapsedTimer sinceFrame_;
    int frames_ = 0;
};
