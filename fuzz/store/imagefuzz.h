#pragma once

// What the picture decoders' fuzz targets share: the bytes, limits small
// enough that a claimed size cannot make a run slow, and the check that
// every picture made has the size its pixels say, through the decoder and
// through the whole fallback order behind it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "store/pictures/imagefile.h"

namespace kontavo::fuzz {

template <typename Decode>
int fuzzImageDecoder(const uint8_t* data, size_t size, Decode decode) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    DecodeControl control;
    control.limits.maxPixels = 1024 * 1024;
    const auto check = [](const ImageLoad& load) {
        if (load.ok() &&
            load.picture->pixels().size() !=
                PictureBitmap::rowSize(load.picture->width()) * load.picture->height()) {
            std::abort();
        }
    };
    check(decode(bytes, control));
    check(decodeImage(bytes, ImageFormat::Unknown, 4, control));
    return 0;
}

}  // namespace kontavo::fuzz
