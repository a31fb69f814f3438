#pragma once

#include <QFont>
#include <QImage>
#include <QString>

namespace kontavo {
class RichFontCache;
class RichText;
}  // namespace kontavo

namespace kontavo::test {

// The fixed font the rich text tests measure with: DejaVu Sans Mono, 12
// pixels, so every plain character has the same advance.
QFont monoFont();
// The advance of one character of monoFont().
int monoAdvance();

// A white image of `size` to draw into.
QImage whiteImage(QSize size);
// How many pixels of `image` have exactly `colour`; within `area` when given.
int pixelsOf(const QImage& image, QRgb colour, QRect area = {});
// Pixels darker than mid-grey in `area`.
int darkPixels(const QImage& image, QRect area);
// The leftmost / rightmost column of `area` holding a pixel darker than
// mid-grey; -1 when there is none.
int firstDarkColumn(const QImage& image, QRect area);
int lastDarkColumn(const QImage& image, QRect area);

// Saves a picture as <build>/screenshots/card/<name>.png.
void saveCardScreenshot(const QImage& image, const QString& name);

}  // namespace kontavo::test
