#include "store/pictures/imageload.h"

namespace kontavo {

QString imageFormatWord(ImageFormat format) {
    switch (format) {
        case ImageFormat::Jpeg:
            return QStringLiteral("JPEG, ");
        case ImageFormat::Bmp:
            return QStringLiteral("BMP, ");
        case ImageFormat::Gif:
            return QStringLiteral("GIF, ");
        case ImageFormat::Tiff:
            return QStringLiteral("TIFF, ");
        case ImageFormat::Unknown:
            break;
    }
    return QStringLiteral("UNKNOWN");
}

}  // namespace kontavo
