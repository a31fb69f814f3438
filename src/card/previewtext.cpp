#include "card/previewtext.h"

#include <algorithm>

namespace kontavo {

QString previewtext::result(const ImageLoad& load) {
    if (!load.ok()) {
        return QStringLiteral("Error while loading!");
    }
    return imageFormatWord(load.format) +
           QStringLiteral("%1x%2").arg(load.picture->width()).arg(load.picture->height());
}

QSize fitPreview(QSize image, QSize area) {
    if (image.isEmpty() || area.isEmpty()) {
        return {};
    }
    if (image.width() <= area.width() && image.height() <= area.height()) {
        return image;
    }
    const double factor =
        std::min(double(area.width()) / image.width(), double(area.height()) / image.height());
    return {std::max(1, int(image.width() * factor)), std::max(1, int(image.height() * factor))};
}

}  // namespace kontavo
