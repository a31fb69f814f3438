#include "richtestsupport.h"

#include <QDir>
#include <QFontMetrics>

namespace kontavo::test {

QFont monoFont() {
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(12);
    font.setKerning(false);
    return font;
}

int monoAdvance() {
    return QFontMetrics(monoFont()).horizontalAdvance(QLatin1Char('x'));
}

QImage whiteImage(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

int pixelsOf(const QImage& image, QRgb colour, QRect area) {
    if (area.isNull()) {
        area = image.rect();
    }
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
        }
    }
    return count;
}

int darkPixels(const QImage& image, QRect area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    return count;
}

int firstDarkColumn(const QImage& image, QRect area) {
    for (int x = area.left(); x <= area.right(); ++x) {
        if (darkPixels(image, QRect(x, area.top(), 1, area.height())) > 0) {
            return x;
        }
    }
    return -1;
}

int lastDarkColumn(const QImage& image, QRect area) {
    for (int x = area.right(); x >= area.left(); --x) {
        if (darkPixels(image, QRect(x, area.top(), 1, area.height())) > 0) {
            return x;
        }
    }
    return -1;
}

void saveCardScreenshot(const QImage& image, const QString& name) {
    const QString folder = QStringLiteral(KONTAVO_BIN_DIR) + QStringLiteral("/../screenshots/card");
    QDir().mkpath(folder);
    image.save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

}  // namespace kontavo::test
