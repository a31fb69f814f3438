// parseWave() on any bytes: it must not crash, and what it accepts must
// write back to an image it reads the same way.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/wavecodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<kontavo::WaveAudio> audio = kontavo::parseWave(bytes);
    if (audio) {
        const std::optional<kontavo::WaveAudio> again =
            kontavo::parseWave(kontavo::writeWave(*audio));
        if (!again || !(*again == *audio)) {
            std::abort();
        }
    }
    return 0;
}
