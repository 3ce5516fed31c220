// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The INI document stored as one zlib stream: the form of users.dat and hscore.dat.

#include "platform/uSaveFile.h"
#include "storage/uPackError.h"
#include "storage/uSLIni.h"

#include <stdexcept>
#include <string>

class tStringListPackedINI : public tStringListINI {
public:
    // A missing or empty file gives an empty document. Throws tPackError on a damaged file and leaves the
    // document as it was.
    void ReadCompressedFile(const std::string& path);
    // Replaces the file in one step: on any failure (tSaveError) the previous file stays whole. A text that
    // the next read would refuse as too large is refused here.
    void SaveCompressedFile(const std::string& path) const;
};

// Decompressed text is cut at its first NUL; more than this many bytes before it counts as damage.
inline constexpr size_t kMaxPackedText = 16u * 1024 * 1024;

// The text of a zlib stream: what was decoded up to a cut, bytes after the stream ignored.
// Throws tPackError when the bytes are not a zlib stream or the text passes kMaxPackedText.
std::string UnpackText(const std::string& packed);
// One zlib stream at level 9.
std::string PackText(const std::string& text);

// What became of a data file that could not be read.
struct tDamagedFile {
    bool damaged = false;
    // File name (no folder) of the copy kept aside; the damaged file itself is then gone.
    std::string keptAs;
    // Neither kept aside nor removed: the file stays as it is and must never be saved over.
    bool leftInPlace = false;
    // Whether the player must hear of it: every time a copy is made, once a run for a file left in place.
    bool tell = false;
};

// Reads users.dat or hscore.dat so that a damaged file neither stops the program nor is overwritten unseen:
// it is copied aside and removed, so the next read starts clean, and the document is left empty. Temporary
// copies that killed saves left beside the file are removed first.
tDamagedFile ReadDataFile(tStringListPackedINI& doc, const std::string& path);

// Copies a damaged file aside as "<path>.damaged" (or "<path>.damaged.N" when that is taken) so that it can
// be looked at later; returns the copy's path, empty when no copy could be made.
std::string KeepDamagedFile(const std::string& path);
