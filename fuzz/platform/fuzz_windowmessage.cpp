// Fuzz target: the window message frame decoder on arbitrary bytes; a frame
// that decodes must encode back to the same 16 bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/windowmessagecodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<kontavo::WindowFrame> frame = kontavo::WindowMessageCodec::decode(bytes);
    if (frame && kontavo::WindowMessageCodec::encode(*frame) !=
                     bytes.left(kontavo::WindowMessageCodec::kFrameSize)) {
        std::abort();
    }
    return 0;
}
