#pragma once

#include <QImage>

namespace kontavo {

class PictureBitmap;

// The image of a contact's picture bitmap (24 bits, blue-green-red, rows
// bottom-up).
QImage pictureImage(const PictureBitmap& bitmap);

}  // namespace kontavo
