// SPDX-License-Identifier: GPL-3.0-or-later
// stakkar-bench-hostile: what two hostile files cost the game's window when a player picks them: a
// skin whose skin.ini is 50 MB of colour keys, and a language file holding one 10 MB line. Prints, for each,
// the time to apply it (the long line is the title of the high score panel) and how far the process's peak
// memory rose above what it held before, and the number of messages the player was shown. The files are made
// in the system's temporary folder.

#include "look/uLang.h"
#include "look/uSkin.h"
#include "platform/uBaseDir.h"
#include "platform/uMessage.h"
#include "shell/stakmain.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

namespace {

// A figure of /proc/self/status, in kB.
long StatusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.rfind(prefix, 0) == 0) {
            return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
        }
    }
    return -1;
}

void Measure(const char* name, const std::function<void()>& apply, int& messages) {
    // Writing 5 to clear_refs sets the peak back to what the process holds now.
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = StatusKb("VmRSS");
    messages = 0;
    const auto start = std::chrono::steady_clock::now();
    apply();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const long peak = StatusKb("VmHWM");
    std::printf("%s: %.3f s, peak memory +%.1f MB, %d message(s)\n", name, seconds,
                static_cast<double>(peak - before) / 1024.0, messages);
}

void WriteHugeSkin(const std::string& folder) {
    QDir().mkpath(QString::fromStdString(folder));
    std::ofstream ini(folder + "/skin.ini", std::ios::binary);
    ini << "[General]\r\nBuild=64\r\n[Common]\r\n";
    const std::string line = "clrPanel=$422618\r\n";
    for (size_t written = 0; written < 50'000'000; written += line.size()) {
        ini << line;
    }
}

void WriteLongLineLanguage(const std::string& path) {
    std::ofstream lng(path, std::ios::binary);
    lng << "[General]\r\nBuild=64\r\n[Language]\r\ns1500=" << std::string(10'000'000, 'x') << "\r\n";
}

// Each case runs in a process of its own, so that neither finds the memory the other freed.
int RunCases(const char* self) {
    for (const char* which : {"skin", "language"}) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QString::fromLocal8Bit(self), {which});
        if (!child.waitForFinished(600000) || child.exitCode() != 0) {
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    const std::string which = argc > 1 ? argv[1] : "";
    if (which != "skin" && which != "language") {
        return RunCases(argv[0]);
    }
    QTemporaryDir home;
    BaseDir = home.path().toStdString();
    WriteHugeSkin(BaseDir + "/skin/Huge");
    QDir().mkpath(QString::fromStdString(BaseDir + "/lang"));
    WriteLongLineLanguage(BaseDir + "/lang/Long.lng");
    int messages = 0;
    SetMessagePresenter([&messages](const QString&) { ++messages; });

    TMainForm form;
    form.show();
    QCoreApplication::processEvents();
    if (which == "skin") {
        Measure(
            "skin.ini of 50 MB", [] { SelectSkin("Huge"); }, messages);
    } else {
        Measure(
            "language file with a 10 MB line", [] { SelectLanguage("Long"); }, messages);
    }
    return 0;
}
