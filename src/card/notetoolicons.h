#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>

namespace kontavo {

// The notes block's tool bar images: one strip of ten square icons (page
// with arrow, pencil, pen with colour bar, "F", "B", bullet list, indent
// left, indent right, alignment with arrow, undo arrow), drawn at 24 pixels
// for normal screens and 48 for high-resolution ones.
QPixmap noteToolStrip(bool highResolution);
// The strip cut into its ten icons.
QList<QIcon> noteToolIcons(bool highResolution);

}  // namespace kontavo
