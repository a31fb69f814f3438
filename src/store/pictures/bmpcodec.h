#pragma once

#include <QByteArray>

#include "store/pictures/imageload.h"

namespace kontavo {

// The BMP files of contact pictures (docs/formats/picture-bmp.md).

// Reads a BMP image: "BM", the 12-byte core header or the 40-byte (or
// longer) information header, 1, 4, 8 or 24 bits per pixel without
// compression, rows bottom-up (or top-down for a negative height). A colour
// index past the colour table, a size the limits refuse, rows cut short or
// any other header makes it fail.
ImageLoad decodeBmp(const QByteArray& bytes, const DecodeControl& control = {});

// The file of a picture: 14-byte file header, 40-byte information header
// (24 bits, no compression, the fields after it zero), then the rows as the
// bitmap holds them.
QByteArray encodeBmp(const PictureBitmap& bitmap);

}  // namespace kontavo
