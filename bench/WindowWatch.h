// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A client of the benchmark's X server that hears every top-level window being mapped: it selects
// SubstructureNotify on the root window and stamps each MapNotify with the moment it was read off the
// connection. It also tells where a window is and hands its connection to the fake input.

#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <sys/types.h>

struct tMappedWindow {
    Window Id = 0;
    std::chrono::steady_clock::time_point MappedAt;
    std::string Title;
    // _NET_WM_PID; 0 when the window does not say.
    pid_t Pid = 0;
    int Width = 0;
    int Height = 0;
    bool Splash = false;
    bool OverrideRedirect = false;
};

class tWindowWatch {
public:
    // Throws when the display cannot be opened.
    explicit tWindowWatch(const std::string& display);
    ~tWindowWatch();
    tWindowWatch(const tWindowWatch&) = delete;
    tWindowWatch& operator=(const tWindowWatch&) = delete;

    Display* Connection() const { return display_; }
    // Forgets the maps heard so far: the next wait sees only what comes after.
    void Forget();
    // The program's main top-level window: the first one mapped that is neither a splash nor a menu, tooltip
    // or other override-redirect window, whose _NET_WM_PID (where it has one) is pid, and that bears
    // titleWord in its title or is at least 320 x 240. Throws when running() turns false or the seconds pass
    // first. With verbose, every map heard is told on standard error.
    tMappedWindow WaitForMainWindow(pid_t pid, const std::string& titleWord, double seconds,
                                    const std::function<bool()>& running, bool verbose);
    // Where the window's top left corner is on the screen.
    void Origin(Window window, int& x, int& y) const;
    // A digest of the window's picture as the server holds it, to tell whether it changed; throws when the
    // picture cannot be read.
    uint64_t PictureDigest(Window window) const;

private:
    tMappedWindow Describe(Window window, bool overrideRedirect,
                           std::chrono::steady_clock::time_point mappedAt) const;
    std::string Title(Window window) const;

    Display* display_ = nullptr;
    Atom pidAtom_ = 0;
    Atom typeAtom_ = 0;
    Atom splashAtom_ = 0;
    Atom nameAtom_ = 0;
    Atom utf8Atom_ = 0;
};
