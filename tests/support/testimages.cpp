#include "support/testimages.h"

#include <gif_lib.h>
#include <tiffio.h>

#include <QTemporaryFile>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <vector>

namespace kontavo::test {

TestImage TestImage::pattern(int width, int height) {
    TestImage image{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.pixels.append(Rgb{uint8_t(x * 255 / std::max(1, width - 1)),
                                    uint8_t(y * 255 / std::max(1, height - 1)), uint8_t(80)});
        }
    }
    return image;
}

Rgb pixelOf(const PictureBitmap& picture, int x, int y) {
    const qsizetype stride = PictureBitmap::rowSize(picture.width());
    const auto* row = reinterpret_cast<const uint8_t*>(picture.pixels().constData()) +
                      stride * (picture.height() - 1 - y);
    return Rgb{row[3 * x + 2], row[3 * x + 1], row[3 * x]};
}

namespace {

// Row `y` as red, green, blue bytes.
std::vector<unsigned char> rgbRow(const TestImage& image, int y) {
    std::vector<unsigned char> row(size_t(image.width) * 3);
    for (int x = 0; x < image.width; ++x) {
        const Rgb c = image.at(x, y);
        row[3 * x] = c.red;
        row[3 * x + 1] = c.green;
        row[3 * x + 2] = c.blue;
    }
    return row;
}

}  // namespace

QByteArray encodeJpeg(const TestImage& image, int quality) {
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(image.width);
    info.image_height = JDIMENSION(image.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    for (int y = 0; y < image.height; ++y) {
        std::vector<unsigned char> row = rgbRow(image, y);
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

QByteArray encodeTiff(const TestImage& image, int rowsPerStrip) {
    QTemporaryFile file;
    file.open();
    TIFF* tiff = TIFFOpen(file.fileName().toLocal8Bit().constData(), "w");
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, uint32_t(image.width));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, uint32_t(image.height));
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, uint32_t(rowsPerStrip));
    for (int y = 0; y < image.height; ++y) {
        std::vector<unsigned char> row = rgbRow(image, y);
        TIFFWriteScanline(tiff, row.data(), uint32_t(y), 0);
    }
    TIFFClose(tiff);
    QFile written(file.fileName());
    written.open(QIODevice::ReadOnly);
    return written.readAll();
}

namespace {

int writeGifBytes(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

}  // namespace

QByteArray encodeGif(const TestImage& image, const GifOptions& options, int extraIndex) {
    QList<Rgb> colours;
    std::vector<GifPixelType> indices;
    for (const Rgb& c : image.pixels) {
        qsizetype index = colours.indexOf(c);
        if (index < 0) {
            index = colours.size();
            colours.append(c);
        }
        indices.push_back(GifPixelType(index));
    }
    if (extraIndex >= 0) {
        indices[0] = GifPixelType(extraIndex);
    }
    std::vector<GifColorType> table(256);
    for (qsizetype i = 0; i < colours.size(); ++i) {
        table[size_t(i)] = GifColorType{colours[i].red, colours[i].green, colours[i].blue};
    }
    int bits = 1;
    while ((1 << bits) < colours.size()) {
        ++bits;
    }
    ColorMapObject* map = GifMakeMapObject(1 << bits, table.data());
    QByteArray bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, writeGifBytes, &error);
    const int screenWidth = options.screenWidth ? options.screenWidth : image.width;
    const int screenHeight = options.screenHeight ? options.screenHeight : image.height;
    const bool globalMap = !options.localMap && !options.noMap;
    EGifPutScreenDesc(gif, screenWidth, screenHeight, bits, options.background,
                      globalMap ? map : nullptr);
    EGifPutImageDesc(gif, options.left, options.top, image.width, image.height, options.interlaced,
                     options.localMap ? map : nullptr);
    std::vector<int> order;
    if (options.interlaced) {
        const int start[] = {0, 4, 2, 1};
        const int step[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass) {
            for (int y = start[pass]; y < image.height; y += step[pass]) {
                order.push_back(y);
            }
        }
    } else {
        for (int y = 0; y < image.height; ++y) {
            order.push_back(y);
        }
    }
    for (int y : order) {
        EGifPutLine(gif, indices.data() + size_t(y) * image.width, image.width);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return bytes;
}

}  // namespace kontavo::test
