// Fuzz target: the coordination block as another program may have left it
// (any 68 bytes): decoding, tidying the window list and encoding again must
// keep every listed window in order, keep the flags, and leave no gap.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "store/sync/pimsyncblock.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kontavo;
    std::array<uint8_t, PimSyncBlock::kBytes> bytes{};
    std::memcpy(bytes.data(), data, std::min(size, bytes.size()));
    const PimSyncBlock block = PimSyncBlock::decode(bytes.data());
    std::array<uint8_t, PimSyncBlock::kBytes> again{};
    block.encode(again.data());
    if (again != bytes) {
        std::abort();  // encoding must give back the bytes decoded
    }
    PimSyncBlock tidy = block;
    tidy.setParticipants(block.participants());
    if (tidy.participants() != block.participants() || tidy.flags != block.flags) {
        std::abort();
    }
    bool empty = false;
    for (WindowHandle window : tidy.windows) {
        if (empty && window != 0) {
            std::abort();  // a filled slot after an empty one
        }
        empty = empty || window == 0;
    }
    return 0;
}
