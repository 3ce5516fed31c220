// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the replay reader, as a damaged or hostile replay file or upload would; what it
// takes must write back to the same bytes' record and play through the model, as the game watches it and as
// the score server checks it. Build with -DSTAKKAR_FUZZ=ON and clang.

#include "core/uGameReplay.h"
#include "storage/uReplayFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const tReplayRead read = DecodeReplay({reinterpret_cast<const char*>(data), size});
    if (!read.Record) {
        return 0;
    }
    const tReplayRead again = DecodeReplay(EncodeReplay(*read.Record));
    if (!again.Record || !(*again.Record == *read.Record)) {
        std::abort();
    }
    // Long games are the model's own business; a fuzzer's time goes to the reader.
    if (read.Record->Ticks <= 100000) {
        (void)ReplayGame(*read.Record);
        (void)ReplayChecked(*read.Record);
    }
    return 0;
}
