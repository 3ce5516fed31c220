// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the high score table's reading as hscore.dat holds it (packed, or the plain text
// inside): every section's fifteen slots are checked, ranked and written back, through the same units the
// game and the data tool use.

#include "FuzzDocument.h"
#include "storage/uHSEntry.h"
#include "storage/uPackIni.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tStringListPackedINI doc;
    ReadFuzzDocument(doc, data, size);
    tStringList sections;
    doc.ReadSections(sections);
    // A file holds eight tables; more sections cost time on every input and reach no more code.
    for (int n = 0; n < std::min(sections.Count(), 8); ++n) {
        const std::string& section = sections[n];
        const auto stored = ReadHSSection(doc, section);
        std::array<tHS, kHSSlots> entries;
        for (size_t i = 0; i < stored.size(); ++i) {
            entries[i] = EntryOf(section, stored[i]);
            (void)StartTimeMs(stored[i].Values[tResultField::StartTime]);
        }
        SortRecords(entries);
        for (size_t i = 1; i < entries.size(); ++i) {
            if (RanksAbove(entries[i], entries[i - 1])) {
                std::abort();
            }
        }
        // What the game writes must pass its own check when read again.
        const tHSStored written = StoredForm(section, entries[0]);
        WriteHSSlot(doc, section, written);
        if (CheckStored(section, ReadHSSection(doc, section)[static_cast<size_t>(written.Slot - 1)]) !=
                tHSCheck::Valid &&
            written.Slot >= 1 && written.Slot <= kHSSlots) {
            std::abort();
        }
    }
    return 0;
}
