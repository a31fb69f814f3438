// Fuzz target: the BMP reader on arbitrary bytes. A picture it reads is
// written back and must read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "store/pictures/bmpcodec.h"

using namespace kontavo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    DecodeControl control;
    control.limits.maxPixels = 4 * 1024 * 1024;
    const ImageLoad load = decodeBmp(bytes, control);
    if (!load.ok()) {
        return 0;
    }
    const ImageLoad again = decodeBmp(encodeBmp(*load.picture), control);
    if (!again.ok() || !samePicture(again.picture, load.picture)) {
        std::abort();
    }
    return 0;
}
