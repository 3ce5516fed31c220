// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the compressed-file reader and the INI document, as a damaged or hostile users.dat
// or hscore.dat would. Build with -DSTAKKAR_FUZZ=ON and clang.

#include "FuzzDocument.h"
#include "storage/uPackIni.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tStringListPackedINI doc;
    ReadFuzzDocument(doc, data, size);
    tStringList sections;
    doc.ReadSections(sections);
    for (const auto& name : sections.Lines()) {
        doc.ReadInteger(name, "1Level", 0);
        doc.WriteString(name, "1Name", "x");
        doc.DeleteKey(name, "1Score");
    }
    doc.RenameSection("a", "b");
    (void)UnpackText(PackText(doc.Text()));
    return 0;
}
