#include "ui/icons.h"

#include "diag/fatal.h"
#include "diag/resources.h"
#include "platform/screen.h"

namespace kontavo {

namespace {

QPixmap pixmapOfSet(const char* set, int id) {
    QPixmap pixmap;
    if (const std::optional<QByteArray> bytes = loadResource(QLatin1String(set), id)) {
        pixmap.loadFromData(*bytes);
    }
    return pixmap;
}

}  // namespace

QPixmap loadIconPixmap(int id) {
    return loadIconPixmap(id, Screen::current());
}

QPixmap loadIconPixmap(int id, const Screen& screen) {
    return pixmapOfSet(screen.isHighResolution() ? "ICON32" : "ICON16", id);
}

QIcon loadIcon(int id) {
    QIcon icon;
    for (const char* set : {"ICON16", "ICON32"}) {
        const QPixmap pixmap = pixmapOfSet(set, id);
        if (!pixmap.isNull()) {
            icon.addPixmap(pixmap);
        }
    }
    return icon;
}

QPixmap loadIconPixmapStrict(int id) {
    QPixmap pixmap = loadIconPixmap(id);
    if (pixmap.isNull()) {
        raiseFatal(FatalCode::ResourceLoadingFailed, uint32_t(id));
    }
    return pixmap;
}

}  // namespace kontavo
