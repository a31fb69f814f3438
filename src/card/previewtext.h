#pragma once

#include <QSize>
#include <QString>

#include "store/pictures/imageload.h"

namespace kontavo {

// The picture chooser's information line and preview size.
namespace previewtext {

inline QString loading() {
    return QStringLiteral("Loading... Please, wait.");
}
inline QString noSelection() {
    return QStringLiteral("No selected image.");
}
// "JPEG, 640x480" for a decoded picture, "Error while loading!" otherwise.
QString result(const ImageLoad& load);

}  // namespace previewtext

// `image` fitted into `area` keeping its proportions, never enlarged.
QSize fitPreview(QSize image, QSize area);

}  // namespace kontavo
