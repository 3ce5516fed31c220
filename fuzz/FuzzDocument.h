// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The document a data file's bytes give: a compressed stream when they are one, else plain text, so that both
// the damaged files the game meets and plain INI inputs reach the readers behind it.

#include "storage/uPackIni.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline void ReadFuzzDocument(tStringListPackedINI& doc, const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        doc.SetText(UnpackText(bytes));
    } catch (const tPackError&) {
        doc.SetText(bytes);
    }
}
