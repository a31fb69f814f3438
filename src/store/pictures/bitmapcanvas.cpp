#include "store/pictures/bitmapcanvas.h"

#include <new>

namespace kontavo {

int BitmapCanvas::allocate(int width, int height, const ImageLimits& limits) {
    if (!limits.allows(width, height)) {
        return imagecode::kNoMemory;
    }
    try {
        m_pixels = QByteArray(PictureBitmap::rowSize(width) * height, '\0');
    } catch (const std::bad_alloc&) {
        return imagecode::kNoMemory;
    }
    m_width = width;
    m_height = height;
    return imagecode::kOk;
}

uchar* BitmapCanvas::row(int y) {
    const qsizetype stride = PictureBitmap::rowSize(m_width);
    return reinterpret_cast<uchar*>(m_pixels.data()) + stride * (m_height - 1 - y);
}

void BitmapCanvas::fill(uchar red, uchar green, uchar blue) {
    for (int y = 0; y < m_height; ++y) {
        uchar* pixel = row(y);
        for (int x = 0; x < m_width; ++x, pixel += 3) {
            pixel[0] = blue;
            pixel[1] = green;
            pixel[2] = red;
        }
    }
}

Picture BitmapCanvas::finish() {
    Picture picture = PictureBitmap::create(m_width, m_height, std::move(m_pixels));
    m_pixels = QByteArray();
    m_width = m_height = 0;
    return picture;
}

}  // namespace kontavo
