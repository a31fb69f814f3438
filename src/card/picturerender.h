#pragma once

#include <QPointF>
#include <QRect>

#include "store/record/picturebitmap.h"

namespace kontavo {

// Where the pixels of a result come from: `source` turned by `rotation`
// quarter turns clockwise, drawn with its top left corner at `origin` and
// enlarged by `scale`.
struct PicturePlacement {
    const PictureBitmap* source = nullptr;
    int rotation = 0;
    QPointF origin;
    double scale = 1.0;
};

// The pixels of `target` (in the coordinates of `placement`) as a new
// picture, each sampled from the source with bilinear interpolation; null
// when `target` is empty or the memory cannot be had.
Picture renderBilinear(const PicturePlacement& placement, const QRect& target);

// The size of a picture turned by `rotation` quarter turns.
QSize rotatedSize(int width, int height, int rotation);

// The point (x, y) of a picture of `size` (before turning) once the picture
// is turned by one quarter turn clockwise.
QPointF turnedQuarter(QPointF point, QSize size);

}  // namespace kontavo
