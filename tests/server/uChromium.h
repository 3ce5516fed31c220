// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A headless Chromium with one page, driven over the DevTools protocol on a socket pair that Chromium takes
// as its descriptors 3 and 4 (--remote-debugging-pipe): tests open addresses, click, type and read what the
// page shows, as a visitor would.

#include <QJsonObject>
#include <QJsonValue>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <optional>
#include <vector>

class tChromium {
public:
    // The browser the tests use; they skip when it is not installed.
    static constexpr const char* kBinary = "/usr/bin/chromium";

    tChromium() = default;
    ~tChromium();
    tChromium(const tChromium&) = delete;
    tChromium& operator=(const tChromium&) = delete;

    // Starts the browser with an empty page.
    bool Start(QString& problem);
    // The browser's first process, above those of its pages.
    qint64 Pid() const { return Process.processId(); }
    // Opens an address and waits until it has loaded.
    bool Open(const QString& address, QString& problem);
    // Clicks the first element the CSS selector finds and waits until the page it leads to has loaded.
    bool Click(const QString& selector, QString& problem);
    // Lays pages out as a phone's browser of this screen size in CSS pixels does, their viewport tag and all.
    bool ActAsPhone(int width, int height, QString& problem);
    // Presses and lets go of a key as a keyboard does, "End" or " " say, in the page that has the focus.
    bool PressKey(const QString& key, QString& problem);
    // The value of a JavaScript expression in the page, a promise's once it settles; undefined when it threw
    // or did not answer.
    QJsonValue Eval(const QString& expression);

private:
    std::optional<QJsonObject> Call(const QString& method, const QJsonObject& params, bool inPage,
                                    QString& problem);
    bool AwaitLoad(QString& problem);
    std::optional<QJsonObject> Next(QString& problem);

    QTemporaryDir Profile;
    QProcess Process;
    int Socket = -1;
    QByteArray Received;
    std::vector<QJsonObject> Events;
    QString Session;
    int LastId = 0;
};
