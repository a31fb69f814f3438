#pragma once

// Small images made through the libraries themselves, for the decoders'
// tests: nothing is downloaded.
#include <QByteArray>
#include <QList>
#include <cstdint>

#include "store/record/picturebitmap.h"

namespace kontavo::test {

struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

// A width x height image, rows top-down.
struct TestImage {
    int width = 0;
    int height = 0;
    QList<Rgb> pixels;

    Rgb at(int x, int y) const { return pixels[y * width + x]; }
    // A pattern in which every row and column differs.
    static TestImage pattern(int width, int height);
};

// The pixel of a decoded picture, (0, 0) at the top left.
Rgb pixelOf(const PictureBitmap& picture, int x, int y);

QByteArray encodeJpeg(const TestImage& image, int quality = 95);
// Rows per strip as given (the last strip may be partial).
QByteArray encodeTiff(const TestImage& image, int rowsPerStrip);

struct GifOptions {
    bool interlaced = false;
    bool localMap = false;   // the image's own map instead of the global one
    bool noMap = false;      // no colour map at all
    int screenWidth = 0;     // 0: the image's size
    int screenHeight = 0;
    int left = 0;
    int top = 0;
    int background = 0;      // index into the global map
};
// The image's colours must number at most 256; indices are given by the
// order of first appearance. `extraIndex` >= 0 replaces the first pixel's
// index by it (to point past the map).
QByteArray encodeGif(const TestImage& image, const GifOptions& options = {}, int extraIndex = -1);

}  // namespace kontavo::test
