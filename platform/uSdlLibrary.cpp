// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uSdlLibrary.h"

#include <dlfcn.h>

tSdlLibrary::~tSdlLibrary() {
    if (library_ != nullptr) {
        quit_();
        Unload();
    }
}

template <typename tFunction> bool tSdlLibrary::Find(tFunction& function, const char* name) {
    function = reinterpret_cast<tFunction>(dlsym(library_, name));
    return function != nullptr;
}

bool tSdlLibrary::Start(const std::string& library) {
    library_ = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library_ == nullptr)
        return false;
    if (!(Find(setHint_, "SDL_SetHint") && Find(init_, "SDL_InitSubSystem") && Find(quit_, "SDL_Quit") &&
          Find(PollEvent, "SDL_PollEvent") && Find(Open, "SDL_GameControllerOpen") &&
          Find(FromInstanceId, "SDL_GameControllerFromInstanceID") &&
          Find(Close, "SDL_GameControllerClose") &&
          Find(ButtonName, "SDL_GameControllerGetStringForButton"))) {
        Unload();
        return false;
    }
    // Quit and terminal signals stay the program's own, and controllers are heard whichever window has the
    // focus: SDL has no window of its own to ask, and the program decides what a press does.
    setHint_(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    setHint_(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (init_(SDL_INIT_GAMECONTROLLER) != 0) {
        // What the failed start set up on the way (the event queue) goes before the library does.
        quit_();
        Unload();
        return false;
    }
    return true;
}

void tSdlLibrary::Unload() {
    dlclose(library_);
    library_ = nullptr;
}
