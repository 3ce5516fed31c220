// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SDL's game controller functions, taken from its library at run time: linking the game against SDL would
// load some fifty libraries at every start, for players most of whom have no controller.

#include <SDL2/SDL.h>

#include <string>

// The soname Debian's libsdl2-2.0-0 installs.
inline constexpr const char* kSdlLibraryName = "libSDL2-2.0.so.0";

class tSdlLibrary {
public:
    tSdlLibrary() = default;
    // Ends the controller subsystem and unloads the library.
    ~tSdlLibrary();
    tSdlLibrary(const tSdlLibrary&) = delete;
    tSdlLibrary& operator=(const tSdlLibrary&) = delete;

    // Loads the library and starts its game controller subsystem, and nothing else of SDL: no video, no
    // sound, no signal handlers. False when the library, one of its functions or the subsystem is missing;
    // the object then holds nothing.
    bool Start(const std::string& library);
    bool Started() const { return library_ != nullptr; }

    decltype(&SDL_PollEvent) PollEvent = nullptr;
    decltype(&SDL_GameControllerOpen) Open = nullptr;
    decltype(&SDL_GameControllerFromInstanceID) FromInstanceId = nullptr;
    decltype(&SDL_GameControllerClose) Close = nullptr;
    decltype(&SDL_GameControllerGetStringForButton) ButtonName = nullptr;

private:
    template <typename tFunction> bool Find(tFunction& function, const char* name);
    void Unload();

    void* library_ = nullptr;
    decltype(&SDL_SetHint) setHint_ = nullptr;
    decltype(&SDL_InitSubSystem) init_ = nullptr;
    decltype(&SDL_Quit) quit_ = nullptr;
};
