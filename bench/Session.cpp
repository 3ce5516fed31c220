// SPDX-License-Identifier: GPL-3.0-or-later
#include "Session.h"

#include "Interruption.h"
#include "Sandbox.h"
#include "Strays.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

namespace {

constexpr const char* kServer = "/usr/bin/Xvfb";
constexpr const char* kBus = "/usr/bin/dbus-daemon";
constexpr double kAddressSeconds = 10.0;
// A cold start of a desktop program that fills its caches first may take this long.
constexpr double kMainWindowSeconds = 60.0;
constexpr double kSettleSeconds = 0.3;

std::string MakeRoot() {
    char pattern[] = "/tmp/stakkar-bench-process.XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        throw std::runtime_error(std::string("cannot make a folder in /tmp: ") + std::strerror(errno));
    }
    return pattern;
}

} // namespace

tSession::tSession(bool verbose) : verbose_(verbose), root_(MakeRoot()) {
    try {
        if (access(kServer, X_OK) != 0) {
            throw std::runtime_error("Xvfb is not installed (apt-get install xvfb)");
        }
        // The server picks a free display itself. -noreset: with no client left (between two programs) a
        // server that resets drops the connection of the next one while it does.
        tChildSpec server{
            {kServer, "-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"},
            {"PATH=/usr/bin:/bin"},
            root_,
            root_ + "/xvfb.log",
            true};
        server_ = std::make_unique<tChild>(server);
        display_ = ":" + server_->ReadLineOnFd3(kAddressSeconds);
        if (access(kBus, X_OK) == 0) {
            tChildSpec bus{{kBus, "--session", "--nofork", "--print-address=3"},
                           {"PATH=/usr/bin:/bin", "HOME=" + root_, "DISPLAY=" + display_},
                           root_,
                           root_ + "/bus.log",
                           true};
            bus_ = std::make_unique<tChild>(bus);
            busAddress_ = bus_->ReadLineOnFd3(kAddressSeconds);
        }
        watch_ = std::make_unique<tWindowWatch>(display_);
        input_ = std::make_unique<tFakeInput>(watch_->Connection());
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
        throw;
    }
}

tSession::~tSession() {
    input_.reset();
    watch_.reset();
    bus_.reset();
    server_.reset();
    EndStrays({});
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

tLaunched tSession::Launch(const tProgram& program) {
    const tSandbox sandbox(root_, program.Name, ++serial_);
    std::vector<std::string> argv{program.Path};
    if (program.TakesDataFolder) {
        argv.push_back("--dir");
        argv.push_back(sandbox.DataFolder());
    }
    tLaunched launched;
    launched.DataFolder = program.TakesDataFolder ? sandbox.DataFolder() : std::string();
    watch_->Forget();
    if (verbose_) {
        std::fprintf(stderr, "%s (sandbox %s):\n", program.Name.c_str(), sandbox.Home().c_str());
    }
    launched.Child =
        std::make_unique<tChild>(tChildSpec{argv, sandbox.Environment(display_, busAddress_), sandbox.Home(),
                                            sandbox.Home() + "/output.log", false});
    tChild& child = *launched.Child;
    try {
        launched.Window = watch_->WaitForMainWindow(
            child.Pid(), program.TitleWord, kMainWindowSeconds, [&child] { return child.Running(); },
            verbose_);
    } catch (const tInterrupted&) {
        throw;
    } catch (const std::exception& e) {
        throw std::runtime_error(program.Name + ": " + e.what() + "; its output: " + child.LogTail());
    }
    launched.StartUpMs =
        std::chrono::duration<double, std::milli>(launched.Window.MappedAt - child.Started()).count();
    return launched;
}

void tSession::End(tLaunched& launched) {
    launched.Child.reset();
    EndLeftovers();
    Pause(kSettleSeconds);
}

void tSession::EndLeftovers() {
    std::vector<pid_t> kept{server_->Pid()};
    if (bus_) {
        kept.push_back(bus_->Pid());
    }
    const int strays = EndStrays(kept);
    if (verbose_ && strays > 0) {
        std::fprintf(stderr, "  ended %d process(es) left running\n", strays);
    }
}
