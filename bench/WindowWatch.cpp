// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowWatch.h"

#include "Interruption.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <vector>

namespace {

// A window may be gone by the time it is asked about; that is no fault of the benchmark's.
int IgnoreErrors(Display*, XErrorEvent*) {
    return 0;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The items of a window property of 32-bit format (Xlib hands them as longs).
std::vector<unsigned long> Property32(Display* display, Window window, Atom property, Atom type) {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> items;
    if (XGetWindowProperty(display, window, property, 0, 64, False, type, &actualType, &format, &count,
                           &after, &data) == Success &&
        data != nullptr) {
        if (format == 32) {
            const auto* values = reinterpret_cast<const unsigned long*>(data);
            items.assign(values, values + count);
        }
        XFree(data);
    }
    return items;
}

} // namespace

tWindowWatch::tWindowWatch(const std::string& display) {
    display_ = XOpenDisplay(display.c_str());
    if (display_ == nullptr) {
        throw std::runtime_error("cannot open the display " + display);
    }
    // The programs the benchmark starts are not to inherit its connection.
    fcntl(ConnectionNumber(display_), F_SETFD, FD_CLOEXEC);
    XSetErrorHandler(IgnoreErrors);
    pidAtom_ = XInternAtom(display_, "_NET_WM_PID", False);
    typeAtom_ = XInternAtom(display_, "_NET_WM_WINDOW_TYPE", False);
    splashAtom_ = XInternAtom(display_, "_NET_WM_WINDOW_TYPE_SPLASH", False);
    nameAtom_ = XInternAtom(display_, "_NET_WM_NAME", False);
    utf8Atom_ = XInternAtom(display_, "UTF8_STRING", False);
    XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
    XSync(display_, False);
}

tWindowWatch::~tWindowWatch() {
    XCloseDisplay(display_);
}

void tWindowWatch::Forget() {
    XSync(display_, False);
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
    }
}

tMappedWindow tWindowWatch::WaitForMainWindow(pid_t pid, const std::string& titleWord, double seconds,
                                              const std::function<bool()>& running, bool verbose) {
    using tClock = std::chrono::steady_clock;
    const auto deadline =
        tClock::now() + std::chrono::duration_cast<tClock::duration>(std::chrono::duration<double>(seconds));
    const std::string word = Lower(titleWord);
    while (tClock::now() < deadline) {
        ThrowIfInterrupted();
        if (XPending(display_) == 0) {
            pollfd ready{ConnectionNumber(display_), POLLIN, 0};
            if (poll(&ready, 1, 20) <= 0) {
                if (!running()) {
                    throw std::runtime_error("it ended before it mapped its main window");
                }
                continue;
            }
        }
        // Every event read in this one go was on the connection by now; the queries below come after.
        const auto readAt = tClock::now();
        std::vector<std::pair<Window, bool>> mapped;
        for (int queued = XEventsQueued(display_, QueuedAfterReading); queued > 0; --queued) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == MapNotify && event.xmap.event == DefaultRootWindow(display_)) {
                mapped.emplace_back(event.xmap.window, event.xmap.override_redirect != 0);
            }
        }
        for (const auto& [id, overrideRedirect] : mapped) {
            const tMappedWindow window = Describe(id, overrideRedirect, readAt);
            if (verbose) {
                std::fprintf(stderr, "  mapped 0x%lx \"%s\" %dx%d pid %d%s%s\n", window.Id,
                             window.Title.c_str(), window.Width, window.Height, static_cast<int>(window.Pid),
                             window.Splash ? " splash" : "",
                             window.OverrideRedirect ? " override-redirect" : "");
            }
            const bool ours = window.Pid == 0 || window.Pid == pid;
            const bool named = Lower(window.Title).find(word) != std::string::npos;
            const bool large = window.Width >= 320 && window.Height >= 240;
            if (ours && !window.Splash && !window.OverrideRedirect && (named || large)) {
                return window;
            }
        }
    }
    throw std::runtime_error("no main window was mapped within " + std::to_string(static_cast<int>(seconds)) +
                             " s");
}

void tWindowWatch::Origin(Window window, int& x, int& y) const {
    Window child = 0;
    x = 0;
    y = 0;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
}

uint64_t tWindowWatch::PictureDigest(Window window) const {
    XWindowAttributes attributes{};
    XImage* image = nullptr;
    if (XGetWindowAttributes(display_, window, &attributes) != 0) {
        image = XGetImage(display_, window, 0, 0, static_cast<unsigned>(attributes.width),
                          static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    }
    if (image == nullptr) {
        throw std::runtime_error("cannot read the picture of the main window");
    }
    // FNV-1a over every byte of the picture.
    uint64_t digest = 14695981039346656037ull;
    const size_t size = static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(image->height);
    for (size_t i = 0; i < size; ++i) {
        digest = (digest ^ static_cast<unsigned char>(image->data[i])) * 1099511628211ull;
    }
    XDestroyImage(image);
    return digest;
}

tMappedWindow tWindowWatch::Describe(Window window, bool overrideRedirect,
                                     std::chrono::steady_clock::time_point mappedAt) const {
    tMappedWindow described;
    described.Id = window;
    described.MappedAt = mappedAt;
    described.OverrideRedirect = overrideRedirect;
    described.Title = Title(window);
    const std::vector<unsigned long> pid = Property32(display_, window, pidAtom_, XA_CARDINAL);
    described.Pid = pid.empty() ? 0 : static_cast<pid_t>(pid.front());
    const std::vector<unsigned long> types = Property32(display_, window, typeAtom_, XA_ATOM);
    described.Splash = std::find(types.begin(), types.end(), splashAtom_) != types.end();
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display_, window, &attributes) != 0) {
        described.Width = attributes.width;
        described.Height = attributes.height;
    }
    return described;
}

std::string tWindowWatch::Title(Window window) const {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display_, window, nameAtom_, 0, 256, False, utf8Atom_, &actualType, &format,
                           &count, &after, &data) == Success &&
        data != nullptr) {
        title.assign(reinterpret_cast<const char*>(data), count);
        XFree(data);
    }
    if (title.empty()) {
        char* name = nullptr;
        if (XFetchName(display_, window, &name) != 0 && name != nullptr) {
            title = name;
            XFree(name);
        }
    }
    return title;
}
