// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The signals that end a program from outside (a log-out, a shutdown, a closed terminal, Ctrl+C) turned into
// a request the event loop hears, so the game ends as when its window is closed: with its saves.

#include <QObject>

class QSocketNotifier;

class tQuitSignals : public QObject {
    Q_OBJECT
public:
    // Catches SIGTERM, SIGHUP and SIGINT for as long as the object lives; one object at a time. Signals
    // caught before Listen() wait, and are heard by the event loop after it.
    explicit tQuitSignals(QObject* parent = nullptr);
    ~tQuitSignals() override;

    void Listen();

signals:
    void quitRequested(int signal);

private:
    void Read();

    QSocketNotifier* notifier_ = nullptr;
};
