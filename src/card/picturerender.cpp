#include "card/picturerender.h"

#include <QByteArray>
#include <algorithm>
#include <cmath>
#include <new>

namespace kontavo {

namespace {

// The source point under the point `turned` of the turned picture.
QPointF unturned(QPointF turned, QSize size, int rotation) {
    const double w = size.width();
    const double h = size.height();
    switch (rotation & 3) {
        case 1:
            return {turned.y(), h - turned.x()};
        case 2:
            return {w - turned.x(), h - turned.y()};
        case 3:
            return {w - turned.y(), turned.x()};
        default:
            return turned;
    }
}

const uchar* pixelAt(const PictureBitmap& source, int x, int y) {
    const qsizetype stride = PictureBitmap::rowSize(source.width());
    return reinterpret_cast<const uchar*>(source.pixels().constData()) +
           stride * (source.height() - 1 - y) + 3 * x;
}

void sampleBilinear(const PictureBitmap& source, QPointF at, uchar* out) {
    const double fx = at.x() - 0.5;
    const double fy = at.y() - 0.5;
    const int x0 = int(std::floor(fx));
    const int y0 = int(std::floor(fy));
    const double tx = fx - x0;
    const double ty = fy - y0;
    const auto clampX = [&](int x) { return std::clamp(x, 0, source.width() - 1); };
    const auto clampY = [&](int y) { return std::clamp(y, 0, source.height() - 1); };
    const uchar* a = pixelAt(source, clampX(x0), clampY(y0));
    const uchar* b = pixelAt(source, clampX(x0 + 1), clampY(y0));
    const uchar* c = pixelAt(source, clampX(x0), clampY(y0 + 1));
    const uchar* d = pixelAt(source, clampX(x0 + 1), clampY(y0 + 1));
    for (int k = 0; k < 3; ++k) {
        const double top = a[k] + (b[k] - a[k]) * tx;
        const double bottom = c[k] + (d[k] - c[k]) * tx;
        out[k] = uchar(std::clamp(std::lround(top + (bottom - top) * ty), 0L, 255L));
    }
}

}  // namespace

QSize rotatedSize(int width, int height, int rotation) {
    return (rotation & 1) != 0 ? QSize(height, width) : QSize(width, height);
}

QPointF turnedQuarter(QPointF point, QSize size) {
    return {size.height() - point.y(), point.x()};
}

Picture renderBilinear(const PicturePlacement& placement, const QRect& target) {
    const PictureBitmap* source = placement.source;
    if (source == nullptr || target.isEmpty() || placement.scale <= 0) {
        return nullptr;
    }
    const QSize size(source->width(), source->height());
    const qsizetype stride = PictureBitmap::rowSize(target.width());
    QByteArray pixels;
    try {
        pixels = QByteArray(stride * target.height(), '\0');
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    for (int y = 0; y < target.height(); ++y) {
        uchar* row = reinterpret_cast<uchar*>(pixels.data()) + stride * (target.height() - 1 - y);
        for (int x = 0; x < target.width(); ++x) {
            const QPointF turned((target.left() + x + 0.5 - placement.origin.x()) / placement.scale,
                                 (target.top() + y + 0.5 - placement.origin.y()) / placement.scale);
            sampleBilinear(*source, unturned(turned, size, placement.rotation), row + 3 * x);
        }
    }
    return PictureBitmap::create(target.width(), target.height(), std::move(pixels));
}

}  // namespace kontavo
