// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to a skin folder's skin.ini as the game applies it: over the built-in skin, naming
// whatever files it likes in its folder.

#include "FuzzFile.h"
#include "look/uLang.h"
#include "look/uSkin.h"
#include "look/uSkinFile.h"
#include "platform/uMessage.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const tMessagePresenter quiet = SetMessagePresenter([](const QString&) {});
    WriteFuzzFile("skin.ini", data, size);
    LoadDefaultSkin();
    LoadSkinFile(FuzzFolder());
    (void)SkinHint("Fuzz");
    return 0;
}
