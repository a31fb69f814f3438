// Fuzz target: the stored-record decoder of the object store on arbitrary
// bytes. The first two bytes choose where the inline part ends and the
// external part begins. Whatever decodes must encode and decode again to the
// same properties.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/propcodec.h"

using namespace kontavo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const size_t rest = size - 2;
    const size_t split = (size_t(data[0]) | size_t(data[1]) << 8) % (rest + 1);
    const char* bytes = reinterpret_cast<const char*>(data + 2);
    const QByteArray inlinePart(bytes, qsizetype(split));
    const QByteArray externalPart(bytes + split, qsizetype(rest - split));

    // Listed decoding, as a list query reads, with tags taken from the input.
    propcodec::InlineProps listed;
    QList<PropTag> wanted{0x00160041, 0x3A06001F, 0x3A11001F, PropTag(data[0]) << 16 | 0x1F};
    std::sort(wanted.begin(), wanted.end());
    if (propcodec::decodeInline(inlinePart, wanted, listed)) {
        (void)propcodec::resolveExternal(externalPart, listed);
    }

    const std::optional<PropList> decoded = propcodec::decode(inlinePart, externalPart);
    if (decoded) {
        const auto encoded = propcodec::encode(*decoded);
        const auto again = propcodec::decode(encoded.inlinePart, encoded.externalPart);
        if (!again || *again != *decoded) {
            std::abort();
        }
    }
    return 0;
}
