// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A program the benchmark starts: in a process group of its own, with only the environment and the folder it
// is given, its output to a log file; ended with its whole group when the object goes.

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

struct tChildSpec {
    std::vector<std::string> Argv;
    // NAME=VALUE lines: the whole environment of the program.
    std::vector<std::string> Environment;
    std::string Folder;
    // Where its standard output and error go.
    std::string LogFile;
    // A pipe to read from the program's descriptor 3 (Xvfb and dbus-daemon name their address there).
    bool PipeOnFd3 = false;
};

class tChild {
public:
    using tClock = std::chrono::steady_clock;

    // Throws when the program cannot be run; returns once it has been executed.
    explicit tChild(const tChildSpec& spec);
    ~tChild();
    tChild(const tChild&) = delete;
    tChild& operator=(const tChild&) = delete;

    pid_t Pid() const { return pid_; }
    // Just before the fork: the start-up time counts the fork and the exec.
    tClock::time_point Started() const { return started_; }
    bool Running();
    // The exit status once it has ended within the given seconds (128 + the signal that killed it); throws
    // when it is still running then.
    int WaitForExit(double seconds);
    // The first line the program writes to descriptor 3, within the given seconds; throws without one.
    std::string ReadLineOnFd3(double seconds);
    // SIGTERM to the group, the given seconds to end, then SIGKILL to what is left of it.
    void Stop(double graceSeconds = 3.0);
    // Its whole log, and the end of it for telling why it failed.
    std::string Log() const;
    std::string LogTail() const;

private:
    void Reap(int options);

    pid_t pid_ = -1;
    bool reaped_ = false;
    bool stopped_ = false;
    int status_ = 0;
    int fd3_ = -1;
    std::string name_;
    std::string logFile_;
    tClock::time_point started_;
};
