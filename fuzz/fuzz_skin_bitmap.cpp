// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the reading of a skin's BMP files: judged by the header, then decoded at every
// size a skin asks for and at the size the header declares, as it is and with the key column.

#include "FuzzFile.h"
#include "look/uSkinBitmap.h"
#include "look/uSkinFile.h"
#include "look/uSkinTable.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Pictures larger than any skin's make the harness slow without reaching code a skin size does not.
constexpr int kLargestSide = 1024;

void Read(const std::string& path, int width, int height) {
    const auto image = ReadBmpOfSize(path, width, height);
    if (image && (image->width() != width || image->height() != height)) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = WriteFuzzFile("picture.bmp", data, size);
    const QSize declared = BmpHeaderSize(path);
    if (declared.isValid() && declared.width() <= kLargestSide && declared.height() <= kLargestSide) {
        Read(path, declared.width(), declared.height());
    }
    tStringListINI ini;
    ini.SetText("[S]\r\nB=picture.bmp\r\n");
    for (const tSkinBitmapRow& row : SkinBitmapRows()) {
        if (declared == QSize(row.width, row.height)) {
            tBitmap target;
            LoadSkinBitmap(FuzzFolder(), ini, target, "S", "B", row.width, row.height, row.keyColumn);
        } else {
            Read(path, row.width, row.height);
        }
    }
    return 0;
}
