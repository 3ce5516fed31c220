// SPDX-License-Identifier: GPL-3.0-or-later
#include "uChromium.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Long enough for a loaded machine; only a browser that has hung reaches it.
constexpr int kAnswerMs = 60000;

} // namespace

tChromium::~tChromium() {
    if (Process.state() != QProcess::NotRunning) {
        QString ignored;
        Call("Browser.close", {}, false, ignored);
        if (!Process.waitForFinished(10000)) {
            Process.kill();
            Process.waitForFinished(10000);
        }
    }
    if (Socket >= 0) {
        ::close(Socket);
    }
}

bool tChromium::Start(QString& problem) {
    int ends[2];
    if (!Profile.isValid() || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        problem = "No profile folder or no socket pair for Chromium.";
        return false;
    }
    Socket = ends[0];
    const int browserEnd = ends[1];
    // Through a descriptor above 4 first, so that the browser's end lands on 3 and 4 whatever number it has.
    Process.setChildProcessModifier([browserEnd] {
        const int end = ::fcntl(browserEnd, F_DUPFD_CLOEXEC, 10);
        ::dup2(end, 3);
        ::dup2(end, 4);
    });
    Process.setStandardOutputFile(QProcess::nullDevice());
    Process.setStandardErrorFile(Profile.filePath("chromium.log"));
    Process.start(kBinary, {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                            "--disable-background-networking", "--disable-component-update", "--disable-sync",
                            "--remote-debugging-pipe", "--user-data-dir=" + Profile.path(), "about:blank"});
    const bool started = Process.waitForStarted(kAnswerMs);
    ::close(browserEnd);
    if (!started) {
        problem = "Chromium did not start: " + Process.errorString();
        return false;
    }
    const auto target = Call("Target.createTarget", {{"url", "about:blank"}}, false, problem);
    if (!target) {
        return false;
    }
    const auto attached = Call("Target.attachToTarget",
                               {{"targetId", (*target)["targetId"]}, {"flatten", true}}, false, problem);
    if (!attached) {
        return false;
    }
    Session = (*attached)["sessionId"].toString();
    return Call("Page.enable", {}, true, problem).has_value();
}

bool tChromium::Open(const QString& address, QString& problem) {
    Events.clear();
    return Call("Page.navigate", {{"url", address}}, true, problem) && AwaitLoad(problem);
}

bool tChromium::Click(const QString& selector, QString& problem) {
    Events.clear();
    const QString quoted =
        QString::fromUtf8(QJsonDocument(QJsonArray{selector}).toJson(QJsonDocument::Compact));
    const QJsonValue clicked =
        Eval("(() => { const e = document.querySelector(" + quoted + "[0]); e?.click(); return !!e; })()");
    if (!clicked.toBool()) {
        problem = "Nothing on " + Eval("location.href").toString() + " matches " + selector;
        return false;
    }
    return AwaitLoad(problem);
}

bool tChromium::ActAsPhone(int width, int height, QString& problem) {
    return Call("Emulation.setDeviceMetricsOverride",
                {{"width", width}, {"height", height}, {"deviceScaleFactor", 3}, {"mobile", true}}, true,
                problem)
        .has_value();
}

bool tChromium::PressKey(const QString& key, QString& problem) {
    for (const char* type : {"keyDown", "keyUp"}) {
        QJsonObject event{{"type", type}, {"key", key}};
        if (key.size() == 1 && QString(type) == "keyDown") {
            event["text"] = key;
        }
        if (!Call("Input.dispatchKeyEvent", event, true, problem)) {
            return false;
        }
    }
    return true;
}

QJsonValue tChromium::Eval(const QString& expression) {
    QString problem;
    const auto answer =
        Call("Runtime.evaluate",
             {{"expression", expression}, {"returnByValue", true}, {"awaitPromise", true}}, true, problem);
    if (!answer || answer->contains("exceptionDetails")) {
        return QJsonValue(QJsonValue::Undefined);
    }
    return (*answer)["result"].toObject()["value"];
}

std::optional<QJsonObject> tChromium::Call(const QString& method, const QJsonObject& params, bool inPage,
                                           QString& problem) {
    const int id = ++LastId;
    QJsonObject message{{"id", id}, {"method", method}, {"params", params}};
    if (inPage) {
        message["sessionId"] = Session;
    }
    const QByteArray bytes = QJsonDocument(message).toJson(QJsonDocument::Compact) + '\0';
    for (qsizetype sent = 0; sent < bytes.size();) {
        const ssize_t n =
            ::send(Socket, bytes.constData() + sent, static_cast<size_t>(bytes.size() - sent), MSG_NOSIGNAL);
        if (n <= 0) {
            problem = "Chromium stopped taking commands at " + method;
            return std::nullopt;
        }
        sent += n;
    }
    while (const auto answer = Next(problem)) {
        if (!answer->contains("id")) {
            Events.push_back(*answer);
        } else if ((*answer)["id"].toInt() == id) {
            if (answer->contains("error")) {
                problem = method + " failed: " + QJsonDocument((*answer)["error"].toObject()).toJson();
                return std::nullopt;
            }
            return (*answer)["result"].toObject();
        }
    }
    return std::nullopt;
}

bool tChromium::AwaitLoad(QString& problem) {
    for (size_t seen = 0;; ++seen) {
        while (seen >= Events.size()) {
            const auto event = Next(problem);
            if (!event) {
                return false;
            }
            Events.push_back(*event);
        }
        if (Events[seen]["method"].toString() == "Page.loadEventFired") {
            return true;
        }
    }
}

std::optional<QJsonObject> tChromium::Next(QString& problem) {
    const QDeadlineTimer deadline(kAnswerMs);
    qsizetype end = Received.indexOf('\0');
    while (end < 0) {
        pollfd wait{Socket, POLLIN, 0};
        char chunk[65536];
        const ssize_t n = ::poll(&wait, 1, static_cast<int>(deadline.remainingTime())) == 1
                              ? ::read(Socket, chunk, sizeof chunk)
                              : -1;
        if (n <= 0) {
            problem = "Chromium did not answer; its log is in " + Profile.filePath("chromium.log");
            Profile.setAutoRemove(false);
            return std::nullopt;
        }
        Received.append(chunk, n);
        end = Received.indexOf('\0');
    }
    const QJsonObject message = QJsonDocument::fromJson(Received.left(end)).object();
    Received.remove(0, end + 1);
    return message;
}
