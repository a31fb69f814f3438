// Fuzz target: the libtiff path of LoadImageFile on arbitrary bytes, and the
// whole fallback order behind it. Every picture made must have the size its
// pixels say.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "store/pictures/tiffdecoder.h"
#include "store/pictures/imagefile.h"

using namespace kontavo;

namespace {

void check(const ImageLoad& load) {
    if (load.ok() && load.picture->pixels().size() !=
                         PictureBitmap::rowSize(load.picture->width()) * load.picture->height()) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    DecodeControl control;
    // Small enough that a claimed size cannot make a run slow.
    control.limits.maxPixels = 1024 * 1024;
    check(decodeTiff(bytes, control));
    check(decodeImage(bytes, ImageFormat::Unknown, 4, control));
    return 0;
}
