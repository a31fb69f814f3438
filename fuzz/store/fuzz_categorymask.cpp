// Fuzz target: category masks as read from a contact record (any length,
// any bytes): positions, bit tests, intersection and the mask rebuilt from
// the positions must agree with each other.
#include <QByteArray>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "store/contacts/categorymask.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kontavo;
    // Positions past 0x7FFF do not exist in the categories database.
    const QByteArray mask(reinterpret_cast<const char*>(data),
                          qsizetype(std::min(size, size_t(4096))));
    const QList<int> positions = categorymask::positions(mask);
    const QByteArray rebuilt = categorymask::fromPositions(positions);
    if (categorymask::positions(rebuilt) != positions ||
        (rebuilt.size() % 4 != 0 && rebuilt.size() != 1)) {
        std::abort();
    }
    if (categorymask::isNone(mask) != positions.isEmpty() ||
        categorymask::intersects(mask, rebuilt) == positions.isEmpty()) {
        std::abort();
    }
    for (int position : positions) {
        if (!categorymask::hasBit(mask, position) || !categorymask::hasBit(rebuilt, position)) {
            std::abort();
        }
    }
    return 0;
}
