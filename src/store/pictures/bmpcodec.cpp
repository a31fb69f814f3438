#include "store/pictures/bmpcodec.h"

#include <QtEndian>
#include <cstdint>

#include "store/pictures/bitmapcanvas.h"

namespace kontavo {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kCoreHeaderSize = 12;
constexpr int kInfoHeaderSize = 40;

struct BmpHeader {
    int64_t width = 0;
    int64_t height = 0;  // negative: rows top-down
    int bits = 0;
    int64_t paletteOffset = 0;
    int paletteEntrySize = 0;
    int64_t paletteCount = 0;
    int64_t pixelOffset = 0;
};

class ByteReader {
public:
    explicit ByteReader(const QByteArray& bytes) : m_bytes(bytes) {}
    bool fits(int64_t offset, int64_t length) const {
        return offset >= 0 && length >= 0 && offset + length <= m_bytes.size();
    }
    uint32_t u32(int64_t offset) const {
        return fits(offset, 4) ? qFromLittleEndian<uint32_t>(at(offset)) : 0;
    }
    int32_t i32(int64_t offset) const { return int32_t(u32(offset)); }
    uint16_t u16(int64_t offset) const {
        return fits(offset, 2) ? qFromLittleEndian<uint16_t>(at(offset)) : 0;
    }
    const uchar* at(int64_t offset) const {
        return reinterpret_cast<const uchar*>(m_bytes.constData()) + offset;
    }

private:
    const QByteArray& m_bytes;
};

bool readHeader(const ByteReader& in, BmpHeader& header) {
    if (!in.fits(0, kFileHeaderSize + 4) || in.at(0)[0] != 'B' || in.at(0)[1] != 'M') {
        return false;
    }
    header.pixelOffset = in.u32(10);
    const uint32_t infoSize = in.u32(kFileHeaderSize);
    const int64_t info = kFileHeaderSize;
    if (infoSize == kCoreHeaderSize && in.fits(info, kCoreHeaderSize)) {
        header.width = in.u16(info + 4);
        header.height = in.u16(info + 6);
        header.bits = in.u16(info + 10);
        header.paletteEntrySize = 3;
        header.paletteCount = header.bits <= 8 ? int64_t{1} << header.bits : 0;
    } else if (infoSize >= kInfoHeaderSize && in.fits(info, kInfoHeaderSize)) {
        header.width = in.i32(info + 4);
        header.height = in.i32(info + 8);
        header.bits = in.u16(info + 14);
        if (in.u32(info + 16) != 0) {
            return false;  // compressed
        }
        const int64_t full = header.bits <= 8 ? int64_t{1} << header.bits : 0;
        const uint32_t used = in.u32(info + 32);
        header.paletteEntrySize = 4;
        header.paletteCount = used != 0 && used < full ? used : full;
    } else {
        return false;
    }
    header.paletteOffset = info + infoSize;
    const bool knownDepth =
        header.bits == 1 || header.bits == 4 || header.bits == 8 || header.bits == 24;
    return knownDepth && in.fits(header.paletteOffset, header.paletteCount * header.paletteEntrySize);
}

// Colour index `x` of a row of 1, 4 or 8 bits per pixel.
int paletteIndex(const uchar* row, int64_t x, int bits) {
    const int64_t bit = x * bits;
    const int shift = 8 - bits - int(bit % 8);
    return (row[bit / 8] >> shift) & ((1 << bits) - 1);
}

bool convertRow(const BmpHeader& header, const ByteReader& in, const uchar* source, uchar* target) {
    for (int64_t x = 0; x < header.width; ++x, target += 3) {
        if (header.bits == 24) {
            target[0] = source[3 * x];
            target[1] = source[3 * x + 1];
            target[2] = source[3 * x + 2];
            continue;
        }
        const int index = paletteIndex(source, x, header.bits);
        if (index >= header.paletteCount) {
            return false;
        }
        const uchar* entry = in.at(header.paletteOffset + index * header.paletteEntrySize);
        target[0] = entry[0];
        target[1] = entry[1];
        target[2] = entry[2];
    }
    return true;
}

}  // namespace

ImageLoad decodeBmp(const QByteArray& bytes, const DecodeControl& control) {
    const ByteReader in(bytes);
    BmpHeader header;
    if (!readHeader(in, header) || header.width <= 0 || header.height == 0) {
        return ImageLoad::failed(imagecode::kUnsupported);
    }
    const bool topDown = header.height < 0;
    const int64_t height = topDown ? -header.height : header.height;
    const int64_t stride = (header.width * header.bits + 31) / 32 * 4;
    if (!control.limits.allows(header.width, height)) {
        return ImageLoad::failed(imagecode::kNoMemory);
    }
    if (header.pixelOffset < header.paletteOffset || !in.fits(header.pixelOffset, stride * height)) {
        return ImageLoad::failed(imagecode::kUnsupported);
    }
    BitmapCanvas canvas;
    if (const int code = canvas.allocate(int(header.width), int(height), control.limits);
        code != imagecode::kOk) {
        return ImageLoad::failed(code);
    }
    for (int64_t y = 0; y < height; ++y) {
        if (control.cancelled()) {
            return ImageLoad::failed(imagecode::kCancelled);
        }
        const int64_t stored = topDown ? y : height - 1 - y;
        if (!convertRow(header, in, in.at(header.pixelOffset + stored * stride), canvas.row(int(y)))) {
            return ImageLoad::failed(imagecode::kUnsupported);
        }
    }
    return {canvas.finish(), imagecode::kOk, ImageFormat::Bmp};
}

QByteArray encodeBmp(const PictureBitmap& bitmap) {
    const qsizetype pixelBytes = PictureBitmap::rowSize(bitmap.width()) * bitmap.height();
    QByteArray file(kFileHeaderSize + kInfoHeaderSize, '\0');
    uchar* out = reinterpret_cast<uchar*>(file.data());
    out[0] = 'B';
    out[1] = 'M';
    qToLittleEndian<uint32_t>(uint32_t(pixelBytes + kFileHeaderSize + kInfoHeaderSize), out + 2);
    qToLittleEndian<uint32_t>(kFileHeaderSize + kInfoHeaderSize, out + 10);
    uchar* info = out + kFileHeaderSize;
    qToLittleEndian<uint32_t>(kInfoHeaderSize, info);
    qToLittleEndian<int32_t>(bitmap.width(), info + 4);
    qToLittleEndian<int32_t>(bitmap.height(), info + 8);
    qToLittleEndian<uint16_t>(1, info + 12);
    qToLittleEndian<uint16_t>(24, info + 14);
    file.append(bitmap.pixels());
    return file;
}

}  // namespace kontavo
