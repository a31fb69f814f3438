#pragma once

#include <QByteArray>

#include "store/pictures/imageload.h"

namespace kontavo {

// The 24-bit picture a decoder fills row by row, top row first. The rows are
// kept bottom-up and padded as PictureBitmap wants them; padding stays zero.
class BitmapCanvas {
public:
    // Allocates a width x height canvas. imagecode::kNoMemory when `limits`
    // refuse the size or the memory cannot be had, else kOk.
    int allocate(int width, int height, const ImageLimits& limits);

    int width() const { return m_width; }
    int height() const { return m_height; }
    // The blue-green-red bytes of row `y`, counted from the top.
    uchar* row(int y);
    // Every pixel set to one colour.
    void fill(uchar red, uchar green, uchar blue);
    // The finished picture; the canvas is empty afterwards.
    Picture finish();

private:
    int m_width = 0;
    int m_height = 0;
    QByteArray m_pixels;
};

}  // namespace kontavo
