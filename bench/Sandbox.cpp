// SPDX-License-Identifier: GPL-3.0-or-later
#include "Sandbox.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace {

void MakeFolder(const std::string& path, std::filesystem::perms perms = std::filesystem::perms::owner_all) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (!error) {
        std::filesystem::permissions(path, perms, error);
    }
    if (error) {
        throw std::runtime_error("cannot make the folder " + path + ": " + error.message());
    }
}

} // namespace

tSandbox::tSandbox(const std::string& root, const std::string& name, int serial) {
    const std::string base = root + "/" + name + "-" + std::to_string(serial);
    home_ = base + "/home";
    data_ = base + "/data";
    temporary_ = base + "/tmp";
    runtime_ = base + "/run";
    cache_ = base + "/cache";
    for (const std::string& folder :
         {home_, home_ + "/.config", home_ + "/.local/share", data_, temporary_, runtime_, cache_}) {
        MakeFolder(folder);
    }
}

std::vector<std::string> tSandbox::Environment(const std::string& display,
                                               const std::string& sessionBus) const {
    std::vector<std::string> environment{
        "PATH=/usr/local/bin:/usr/bin:/bin:/usr/games",
        "LANG=C.UTF-8",
        "HOME=" + home_,
        "XDG_CONFIG_HOME=" + home_ + "/.config",
        "XDG_DATA_HOME=" + home_ + "/.local/share",
        "XDG_CACHE_HOME=" + cache_,
        "XDG_RUNTIME_DIR=" + runtime_,
        "TMPDIR=" + temporary_,
        "DISPLAY=" + display,
        // A QT_QPA_PLATFORM=offscreen of the caller's would keep the Qt programs off the display.
        "QT_QPA_PLATFORM=xcb",
    };
    if (!sessionBus.empty()) {
        environment.push_back("DBUS_SESSION_BUS_ADDRESS=" + sessionBus);
    }
    return environment;
}
