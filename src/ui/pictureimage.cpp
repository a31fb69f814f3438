#include "ui/pictureimage.h"

#include "store/record/picturebitmap.h"

namespace kontavo {

QImage pictureImage(const PictureBitmap& bitmap) {
    QImage image(bitmap.width(), bitmap.height(), QImage::Format_RGB888);
    const qsizetype stride = PictureBitmap::rowSize(bitmap.width());
    const char* pixels = bitmap.pixels().constData();
    for (int y = 0; y < bitmap.height(); ++y) {
        const uchar* source =
            reinterpret_cast<const uchar*>(pixels + stride * (bitmap.height() - 1 - y));
        uchar* target = image.scanLine(y);
        for (int x = 0; x < bitmap.width(); ++x) {
            target[3 * x] = source[3 * x + 2];
            target[3 * x + 1] = source[3 * x + 1];
            target[3 * x + 2] = source[3 * x];
        }
    }
    return image;
}

}  // namespace kontavo
