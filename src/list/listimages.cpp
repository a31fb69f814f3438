#include "list/listimages.h"

#include <QBitmap>
#include <QImage>

#include "diag/resources.h"

namespace kontavo {

namespace {

QImage loadImage(const QString& type, int id) {
    const auto bytes = loadResource(type, id);
    return bytes ? QImage::fromData(*bytes) : QImage();
}

}  // namespace

QPixmap loadBitmapOfSet(int normalId, int highResId, const Screen& screen,
                        bool magentaIsTransparent) {
    const int id = screen.isHighResolution() ? highResId : normalId;
    const QImage image = loadImage(QStringLiteral("BITMAP"), id);
    if (image.isNull()) {
        return QPixmap();
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    if (magentaIsTransparent) {
        pixmap.setMask(
            QBitmap::fromImage(image.createMaskFromColor(qRgb(0xFF, 0x00, 0xFF), Qt::MaskInColor)));
    }
    return pixmap;
}

QPixmap loadIconOfSet(int normalId, int highResId, const Screen& screen) {
    if (screen.isHighResolution()) {
        return QPixmap::fromImage(loadImage(QStringLiteral("ICON32"), highResId));
    }
    return QPixmap::fromImage(loadImage(QStringLiteral("ICON16"), normalId));
}

}  // namespace kontavo
