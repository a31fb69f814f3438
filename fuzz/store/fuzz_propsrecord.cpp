// Fuzz target: decoding a property-store record ("pim_index2.dat" record, the
// serialised extended properties) made of arbitrary bytes. Whatever decodes
// must encode again to a record that decodes to the same properties.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "store/index/propsrecord.h"

using namespace kontavo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    (void)PropsRecord::checksumOf(bytes);
    (void)PropsRecord::imageOf(bytes);
    const auto decoded = PropsRecord::decode(bytes);
    if (!decoded) {
        return 0;
    }
    const QByteArray again = PropsRecord::encode(*decoded);
    const auto redecoded = PropsRecord::decode(again);
    if (!redecoded || !(*redecoded == *decoded) || PropsRecord::encode(*redecoded) != again) {
        std::abort();
    }
    return 0;
}
