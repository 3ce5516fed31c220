// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The stage the programs are measured on: an X server of its own (Xvfb, no window manager) and a private
// session bus, the window watch and the fake input on that server, and a folder for the programs' sandboxes.
// Its end ends everything it started.

#include "ChildProcess.h"
#include "FakeInput.h"
#include "Programs.h"
#include "WindowWatch.h"

#include <memory>
#include <string>

struct tLaunched {
    std::unique_ptr<tChild> Child;
    tMappedWindow Window;
    // The game's --dir; empty for the others.
    std::string DataFolder;
    // From the fork to the map of the main window.
    double StartUpMs = 0.0;
};

class tSession {
public:
    // Throws when Xvfb cannot be started; without dbus-daemon there is no session bus.
    explicit tSession(bool verbose);
    ~tSession();
    tSession(const tSession&) = delete;
    tSession& operator=(const tSession&) = delete;

    bool HasSessionBus() const { return !busAddress_.empty(); }
    const std::string& Display() const { return display_; }
    pid_t ServerPid() const { return server_->Pid(); }
    tWindowWatch& Watch() { return *watch_; }
    tFakeInput& Input() { return *input_; }

    // Starts the program in a fresh sandbox and waits for its main window; throws, with the end of its
    // output, when it fails to show one.
    tLaunched Launch(const tProgram& program);
    // Ends the program, its group and whatever it left running, and lets the server settle.
    void End(tLaunched& launched);
    // Ends whatever the programs left running: all but the server and the bus.
    void EndLeftovers();

private:
    bool verbose_;
    std::string root_;
    std::unique_ptr<tChild> server_;
    std::string display_;
    std::unique_ptr<tChild> bus_;
    std::string busAddress_;
    std::unique_ptr<tWindowWatch> watch_;
    std::unique_ptr<tFakeInput> input_;
    int serial_ = 0;
};
