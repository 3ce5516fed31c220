// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChildProcess.h"

#include "Interruption.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Only async-signal-safe calls between fork and exec: the parent may have threads of its own.
[[noreturn]] void BecomeProgram(char* const* argv, char* const* environment, const char* folder, int logFd,
                                int fd3, int failureFd) {
    setpgid(0, 0);
    // Should the benchmark itself be killed, nothing it started outlives it (a set-group-ID program such as
    // ltris loses this at its exec; the benchmark's subreaper clean-up ends it then).
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    const int devNull = open("/dev/null", O_RDONLY | O_CLOEXEC);
    // A descriptor that already is 3 keeps its close-on-exec through dup2, so that flag is cleared instead.
    const bool fd3Ready = fd3 < 0 || (fd3 == 3 ? fcntl(3, F_SETFD, 0) == 0 : dup2(fd3, 3) == 3);
    if (devNull < 0 || dup2(devNull, 0) < 0 || dup2(logFd, 1) < 0 || dup2(logFd, 2) < 0 || !fd3Ready ||
        chdir(folder) != 0) {
        const int error = errno;
        (void)!write(failureFd, &error, sizeof error);
        _exit(127);
    }
    execve(argv[0], argv, environment);
    const int error = errno;
    (void)!write(failureFd, &error, sizeof error);
    _exit(127);
}

} // namespace

tChild::tChild(const tChildSpec& spec) : name_(spec.Argv.front()), logFile_(spec.LogFile) {
    std::vector<std::string> argv = spec.Argv;
    std::vector<std::string> environment = spec.Environment;
    const std::vector<char*> argvPointers = Pointers(argv);
    const std::vector<char*> environmentPointers = Pointers(environment);

    const int logFd = open(spec.LogFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (logFd < 0) {
        throw std::runtime_error("cannot write " + spec.LogFile + ": " + std::strerror(errno));
    }
    int fd3[2] = {-1, -1};
    int failure[2] = {-1, -1};
    if ((spec.PipeOnFd3 && pipe2(fd3, O_CLOEXEC) != 0) || pipe2(failure, O_CLOEXEC) != 0) {
        close(logFd);
        throw std::runtime_error(std::string("cannot make a pipe: ") + std::strerror(errno));
    }
    started_ = tClock::now();
    pid_ = fork();
    if (pid_ == 0) {
        BecomeProgram(argvPointers.data(), environmentPointers.data(), spec.Folder.c_str(), logFd, fd3[1],
                      failure[1]);
    }
    const int forkError = errno;
    close(logFd);
    close(failure[1]);
    if (spec.PipeOnFd3) {
        close(fd3[1]);
        fd3_ = fd3[0];
    }
    if (pid_ < 0) {
        close(failure[0]);
        throw std::runtime_error(std::string("cannot fork: ") + std::strerror(forkError));
    }
    // The group is set on both sides, so that a stop that comes at once reaches it.
    setpgid(pid_, pid_);
    // The pipe closes at the exec, or brings the reason it failed.
    int error = 0;
    ssize_t got = -1;
    do {
        got = read(failure[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    close(failure[0]);
    if (got == static_cast<ssize_t>(sizeof error)) {
        Reap(0);
        if (fd3_ >= 0) {
            close(fd3_);
        }
        throw std::runtime_error("cannot run " + spec.Argv.front() + ": " + std::strerror(error));
    }
}

tChild::~tChild() {
    Stop(1.0);
    if (fd3_ >= 0) {
        close(fd3_);
    }
}

bool tChild::Running() {
    Reap(WNOHANG);
    return !reaped_;
}

int tChild::WaitForExit(double seconds) {
    const auto deadline = tClock::now() + std::chrono::duration<double>(seconds);
    while (Running()) {
        if (tClock::now() >= deadline) {
            throw std::runtime_error(name_ + " did not end within " + std::to_string(seconds) + " s");
        }
        Pause(0.01);
    }
    return WIFSIGNALED(status_) ? 128 + WTERMSIG(status_) : WEXITSTATUS(status_);
}

void tChild::Reap(int options) {
    if (reaped_ || pid_ <= 0) {
        return;
    }
    pid_t reaped = -1;
    do {
        reaped = waitpid(pid_, &status_, options);
    } while (reaped < 0 && errno == EINTR);
    // ECHILD: someone else reaped it; it is gone all the same.
    reaped_ = reaped == pid_ || (reaped < 0 && errno == ECHILD);
}

std::string tChild::ReadLineOnFd3(double seconds) {
    const auto deadline = tClock::now() + std::chrono::duration<double>(seconds);
    std::string line;
    while (tClock::now() < deadline) {
        ThrowIfInterrupted();
        pollfd ready{fd3_, POLLIN, 0};
        if (poll(&ready, 1, 50) <= 0) {
            continue;
        }
        char c = 0;
        const ssize_t got = read(fd3_, &c, 1);
        if (got <= 0 || c == '\n') {
            break;
        }
        line += c;
    }
    if (line.empty()) {
        throw std::runtime_error(name_ + " named nothing on descriptor 3 within " + std::to_string(seconds) +
                                 " s; its output: " + LogTail());
    }
    return line;
}

void tChild::Stop(double graceSeconds) {
    if (pid_ <= 0 || stopped_) {
        return;
    }
    stopped_ = true;
    if (Running()) {
        kill(-pid_, SIGTERM);
        const auto deadline = tClock::now() + std::chrono::duration<double>(graceSeconds);
        while (Running() && tClock::now() < deadline) {
            usleep(10'000);
        }
    }
    // What the program started in its group goes with it.
    kill(-pid_, SIGKILL);
    Reap(0);
}

std::string tChild::Log() const {
    std::ifstream log(logFile_);
    std::ostringstream text;
    text << log.rdbuf();
    return text.str();
}

std::string tChild::LogTail() const {
    const std::string whole = Log();
    constexpr size_t kTail = 600;
    return whole.size() > kTail ? "..." + whole.substr(whole.size() - kTail) : whole;
}
