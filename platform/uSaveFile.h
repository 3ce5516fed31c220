// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Replacing a file in one step: the new bytes go to a temporary file beside it, which is renamed over the old
// one only once every byte is on the disk. A kill, a crash or a full disk leaves the old file whole.

#include <stdexcept>
#include <string>
#include <utility>

// A save that could not be completed; the previous file is left as it was. The message names the file and
// the system's reason ("No space left on device", "Permission denied", ...).
class tSaveError : public std::runtime_error {
public:
    tSaveError(const std::string& path, std::string reason)
        : std::runtime_error(path + ": " + reason), reason_(std::move(reason)) {}
    // The reason alone, in the system's words.
    const std::string& Reason() const { return reason_; }

private:
    std::string reason_;
};

// Throws tSaveError on failure. Missing folders on the way are made. A file that is already there keeps its
// permissions. Temporary files that an earlier, killed save left beside the file are removed.
void WriteFileAtomically(const std::string& path, const std::string& bytes);

// Removes "<name>.XXXXXX" files beside path that no save is writing any more.
void RemoveLeftoverTempFiles(const std::string& path);
// The same for every file whose name matches the wildcard pattern's last part ("folder/hscore-*.rep").
void RemoveLeftoverTempFilesLike(const std::string& pattern);
