// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to a language file as the game applies it: over the built-in texts, then the texts
// the window formats with their values.

#include "FuzzFile.h"
#include "look/uLang.h"
#include "platform/uMessage.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const tMessagePresenter quiet = SetMessagePresenter([](const QString&) {});
    static const bool builtIn = (LoadLanguageResource(), true);
    (void)builtIn;
    const std::string path = WriteFuzzFile("fuzz.lng", data, size);
    LoadDefaultLanguage();
    LoadLanguageFile(path);
    for (int slot = 0; slot < kLanguageSlots; slot += 11) {
        (void)LangFormat(LanguageKey(slot), {"users.dat", "users.dat.damaged", "3"});
    }
    (void)LanguageHint("Fuzz");
    (void)HeaderForm(LangText("s0000"));
    return 0;
}
