#include "store/picturebitmap.h"

#include <limits>

namespace kontavo {

qsizetype PictureBitmap::rowSize(int width) {
    return (qsizetype(width) * 3 + 3) / 4 * 4;
}

std::shared_ptr<const PictureBitmap> PictureBitmap::create(int width, int height,
                                                           QByteArray pixels) {
    if (width <= 0 || height <= 0) {
        return nullptr;
    }
    // Guards the product against overflow before comparing it with the bytes.
    if (rowSize(width) > std::numeric_limits<qsizetype>::max() / height ||
        rowSize(width) * height != pixels.size()) {
        return nullptr;
    }
    return std::shared_ptr<const PictureBitmap>(
        new PictureBitmap(width, height, std::move(pixels)));
}

PictureBitmap::PictureBitmap(int width, int height, QByteArray pixels)
    : m_width(width), m_height(height), m_pixels(std::move(pixels)) {}

bool PictureBitmap::operator==(const PictureBitmap& other) const {
    return m_width == other.m_width && m_height == other.m_height && m_pixels == other.m_pixels;
}

bool samePicture(const Picture& a, const Picture& b) {
    if (a == b) {
        return true;
    }
    return a && b && *a == *b;
}

}  // namespace kontavo
