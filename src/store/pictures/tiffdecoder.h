#pragma once

#include <QByteArray>

#include "store/pictures/imageload.h"

namespace kontavo {

// Decodes a TIFF image through libtiff: width, height and rows per strip
// (capped at the height) are read and the strips converted to RGBA one by
// one, then to 24 bits. kUnsupported for anything libtiff cannot read that
// way (tiled images included). Thread-safe.
ImageLoad decodeTiff(const QByteArray& bytes, const DecodeControl& control = {});

}  // namespace kontavo
