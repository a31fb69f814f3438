#pragma once

#include <QByteArray>
#include <memory>

namespace kontavo {

// A decoded contact picture: a device-independent bitmap of 24 bits per
// pixel (blue, green, red), rows bottom-up, each row padded to a multiple of
// four bytes. Immutable once made; shared between records through Picture.
class PictureBitmap {
public:
    // Bytes of one row for `width` pixels: width * 3 rounded up to a multiple of 4.
    static qsizetype rowSize(int width);

    // A bitmap of the given size over `pixels`, or null when the size is not
    // positive or `pixels` does not hold exactly rowSize(width) * height bytes.
    static std::shared_ptr<const PictureBitmap> create(int width, int height, QByteArray pixels);

    int width() const { return m_width; }
    int height() const { return m_height; }
    const QByteArray& pixels() const { return m_pixels; }

    bool operator==(const PictureBitmap& other) const;

private:
    PictureBitmap(int width, int height, QByteArray pixels);

    int m_width;
    int m_height;
    QByteArray m_pixels;
};

// The reference-counted handle a contact holds; null when it has no picture.
using Picture = std::shared_ptr<const PictureBitmap>;

// Two handles name equal pictures when both are null, both point to the same
// bitmap, or both bitmaps have the same size and pixels.
bool samePicture(const Picture& a, const Picture& b);

}  // namespace kontavo
