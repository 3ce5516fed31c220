// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeInput.h"

#include "Interruption.h"

#include <X11/extensions/XTest.h>

#include <stdexcept>

namespace {
// Between one event and the next, so that each is handled on its own as a person's would be.
constexpr double kEventGap = 0.03;
constexpr double kPointerGap = 0.3;
} // namespace

tFakeInput::tFakeInput(Display* display) : display_(display) {
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    if (XTestQueryExtension(display_, &event, &error, &major, &minor) == False) {
        throw std::runtime_error("the X server has no XTest extension");
    }
}

void tFakeInput::Focus(Window window) {
    XRaiseWindow(display_, window);
    XSetInputFocus(display_, window, RevertToPointerRoot, CurrentTime);
    Settle();
}

void tFakeInput::Key(const std::string& name, const std::string& heldName) {
    const KeyCode key = Code(name);
    const KeyCode held = heldName.empty() ? 0 : Code(heldName);
    if (held != 0) {
        XTestFakeKeyEvent(display_, held, True, CurrentTime);
    }
    XTestFakeKeyEvent(display_, key, True, CurrentTime);
    XTestFakeKeyEvent(display_, key, False, CurrentTime);
    if (held != 0) {
        XTestFakeKeyEvent(display_, held, False, CurrentTime);
    }
    Settle();
}

void tFakeInput::Type(const std::string& text) {
    for (const char c : text) {
        Key(std::string(1, c));
    }
}

void tFakeInput::Click(int x, int y) {
    XTestFakeMotionEvent(display_, DefaultScreen(display_), x, y, CurrentTime);
    // A menu that lights the item under the pointer in its next frame takes the click only then.
    Settle();
    Pause(kPointerGap);
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    Settle();
}

KeyCode tFakeInput::Code(const std::string& name) const {
    const KeySym symbol = XStringToKeysym(name.c_str());
    const KeyCode code = symbol == NoSymbol ? 0 : XKeysymToKeycode(display_, symbol);
    if (code == 0) {
        throw std::runtime_error("the X server's keyboard has no key " + name);
    }
    return code;
}

void tFakeInput::Settle() const {
    XSync(display_, False);
    Pause(kEventGap);
}
