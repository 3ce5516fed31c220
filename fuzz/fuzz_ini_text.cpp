// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the INI document as a hand-edited skin.ini or language file would: every section
// is read, written, renamed and cut, and the document's text must read back as the same lines.

#include "storage/uSLIni.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tStringListINI doc;
    doc.SetText(bytes);
    for (const auto& line : doc.Lines()) {
        (void)ParseInteger(line);
        (void)IsSectionHeader(line);
    }
    tStringList sections;
    doc.ReadSections(sections);
    for (const auto& name : sections.Lines()) {
        tStringList lines;
        doc.ReadSection(name, lines);
        (void)doc.ReadString(name, "Build", "");
        (void)doc.ReadInteger(name, "Build", 0);
        (void)doc.ReadBool(name, "AutoSave", true);
        doc.WriteInteger(name, "Build", 64);
        if (doc.ReadInteger(name, "Build", 0) != 64) {
            std::abort();
        }
        doc.DeleteKey(name, "Build");
    }
    doc.RenameSection("General", "Language");
    doc.WriteString("New", "Key", "Value");
    tStringListINI again;
    again.SetText(doc.Text());
    if (again.Lines() != doc.Lines() && bytes.find('\0') == std::string_view::npos) {
        // Only a line holding a lone CR or LF splits differently, and SetText never leaves one.
        std::abort();
    }
    return 0;
}
