#pragma once

#include <QString>
#include <atomic>
#include <cstdint>

#include "store/record/picturebitmap.h"

namespace kontavo {

// The formats the picture decoders read.
enum class ImageFormat { Unknown, Jpeg, Tiff, Gif, Bmp };

// Results of decoding an image; a negative code means no picture.
namespace imagecode {
inline constexpr int kOk = 0;
inline constexpr int kCannotOpen = -1;   // the file cannot be opened or read
inline constexpr int kUnsupported = -2;  // not an image any decoder reads
inline constexpr int kNoMemory = -3;     // too large to decode
inline constexpr int kCancelled = -5;    // the caller asked the decoder to give up
}  // namespace imagecode

// The largest picture a decoder makes: every decoder refuses an image past
// these bounds with imagecode::kNoMemory instead of allocating for it.
struct ImageLimits {
    int maxSide = 16384;
    int64_t maxPixels = int64_t{64} * 1024 * 1024;

    bool allows(int64_t width, int64_t height) const {
        return width > 0 && height > 0 && width <= maxSide && height <= maxSide &&
               width * height <= maxPixels;
    }
};

// What a decoder is given besides the bytes. `cancel` (may be null) is read
// between rows; once it is true the decoder stops with kCancelled. It must
// outlive the decoding.
struct DecodeControl {
    ImageLimits limits;
    const std::atomic<bool>* cancel = nullptr;

    bool cancelled() const { return cancel != nullptr && cancel->load(std::memory_order_relaxed); }
};

// A decoded image or the reason there is none.
struct ImageLoad {
    Picture picture;  // null unless code == kOk
    int code = imagecode::kUnsupported;
    ImageFormat format = ImageFormat::Unknown;  // the decoder that made the picture

    bool ok() const { return code == imagecode::kOk && picture != nullptr; }
    static ImageLoad failed(int code) { return {nullptr, code, ImageFormat::Unknown}; }
};

// The word the file chooser shows for a format: "JPEG, ", "BMP, ", "GIF, ",
// "TIFF, " or "UNKNOWN".
QString imageFormatWord(ImageFormat format);

}  // namespace kontavo
