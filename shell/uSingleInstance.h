// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One copy of the game per user and display: the first copy listens on a local socket named after the
// program; a later copy asks it to come to the front and then ends without a window of its own. The socket is
// a plain Unix-domain socket in the temporary folder, watched by the event loop, so the game needs no network
// library for it.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QLockFile;
class QSocketNotifier;

class tSingleInstance : public QObject {
    Q_OBJECT
public:
    explicit tSingleInstance(QString name);
    ~tSingleInstance() override;

    // True when this is the only copy: it now listens. False when another copy runs; that copy has been asked
    // to come to the front.
    bool Claim();
    // Run in the first copy each time a later copy starts.
    void SetRaiseHandler(std::function<void()> handler) { raise_ = std::move(handler); }

    // The guard's name for this program, user and display.
    static QString DefaultName();

private:
    void Accept();
    // True when a running copy answered and was asked to come to the front.
    bool AskFirstToRaise() const;
    bool Listen();

    QString name_;
    QByteArray path_;
    std::unique_ptr<QLockFile> lock_;
    int listening_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    std::function<void()> raise_;
};
