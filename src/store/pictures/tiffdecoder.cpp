#include "store/pictures/tiffdecoder.h"

#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "store/pictures/bitmapcanvas.h"

namespace kontavo {

namespace {

// libtiff reads from the bytes in memory through these procedures.
struct TiffSource {
    const QByteArray* bytes = nullptr;
    toff_t position = 0;
};

tmsize_t readTiff(thandle_t handle, void* buffer, tmsize_t length) {
    auto* source = static_cast<TiffSource*>(handle);
    const toff_t size = toff_t(source->bytes->size());
    if (length <= 0 || source->position >= size) {
        return 0;
    }
    const tmsize_t count = tmsize_t(std::min<toff_t>(toff_t(length), size - source->position));
    std::memcpy(buffer, source->bytes->constData() + source->position, size_t(count));
    source->position += toff_t(count);
    return count;
}

tmsize_t writeTiff(thandle_t, void*, tmsize_t) {
    return 0;
}

toff_t seekTiff(thandle_t handle, toff_t offset, int whence) {
    auto* source = static_cast<TiffSource*>(handle);
    const toff_t size = toff_t(source->bytes->size());
    const toff_t base = whence == SEEK_CUR ? source->position : whence == SEEK_END ? size : 0;
    source->position = base + offset;
    return source->position;
}

int closeTiff(thandle_t) {
    return 0;
}

toff_t sizeTiff(thandle_t handle) {
    return toff_t(static_cast<TiffSource*>(handle)->bytes->size());
}

int mapTiff(thandle_t, void**, toff_t*) {
    return 0;
}

void unmapTiff(thandle_t, void*, toff_t) {}

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

// libtiff's default handlers print to stderr; a picture that cannot be read
// is reported by the result instead.
void silenceLibtiff() {
    static const bool silenced = [] {
        TIFFSetErrorHandler(nullptr);
        TIFFSetWarningHandler(nullptr);
        return true;
    }();
    (void)silenced;
}

void convertStrip(const std::vector<uint32_t>& raster, uint32_t first, uint32_t rows,
                  BitmapCanvas& canvas) {
    const uint32_t width = uint32_t(canvas.width());
    for (uint32_t i = 0; i < rows; ++i) {
        // The strip's raster starts with its last row.
        const uint32_t* source = raster.data() + size_t(i) * width;
        uchar* target = canvas.row(int(first + rows - 1 - i));
        for (uint32_t x = 0; x < width; ++x, target += 3) {
            target[0] = uchar(TIFFGetB(source[x]));
            target[1] = uchar(TIFFGetG(source[x]));
            target[2] = uchar(TIFFGetR(source[x]));
        }
    }
}

}  // namespace

ImageLoad decodeTiff(const QByteArray& bytes, const DecodeControl& control) {
    silenceLibtiff();
    TiffSource source{&bytes, 0};
    std::unique_ptr<TIFF, TiffCloser> tiff(TIFFClientOpen("picture", "rm", &source, readTiff,
                                                          writeTiff, seekTiff, closeTiff, sizeTiff,
                                                          mapTiff, unmapTiff));
    if (tiff == nullptr || TIFFIsTiled(tiff.get())) {
        return ImageLoad::failed(imagecode::kUnsupported);
    }
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t rowsPerStrip = 0;
    if (TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width) != 1 ||
        TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height) != 1) {
        return ImageLoad::failed(imagecode::kUnsupported);
    }
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
    rowsPerStrip = rowsPerStrip == 0 ? height : std::min(rowsPerStrip, height);
    BitmapCanvas canvas;
    if (const int code = canvas.allocate(int(std::min<uint32_t>(width, 1u << 30)),
                                         int(std::min<uint32_t>(height, 1u << 30)), control.limits);
        code != imagecode::kOk) {
        return ImageLoad::failed(code);
    }
    std::vector<uint32_t> raster;
    try {
        raster.resize(size_t(width) * rowsPerStrip);
    } catch (const std::bad_alloc&) {
        return ImageLoad::failed(imagecode::kNoMemory);
    }
    for (uint32_t row = 0; row < height; row += rowsPerStrip) {
        if (control.cancelled()) {
            return ImageLoad::failed(imagecode::kCancelled);
        }
        if (TIFFReadRGBAStrip(tiff.get(), row, raster.data()) != 1) {
            return ImageLoad::failed(imagecode::kUnsupported);
        }
        convertStrip(raster, row, std::min(rowsPerStrip, height - row), canvas);
    }
    return {canvas.finish(), imagecode::kOk, ImageFormat::Tiff};
}

}  // namespace kontavo
