#include "store/pictures/gifdecoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "store/pictures/bitmapcanvas.h"

namespace kontavo {

namespace {

struct GifSource {
    const QByteArray* bytes = nullptr;
    qsizetype position = 0;
};

int readGifBytes(GifFileType* gif, GifByteType* buffer, int length) {
    auto* source = static_cast<GifSource*>(gif->UserData);
    const qsizetype count = std::min<qsizetype>(length, source->bytes->size() - source->position);
    std::copy_n(source->bytes->constData() + source->position, count, buffer);
    source->position += count;
    return int(count);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

int failure(int giflibError) {
    return giflibError == D_GIF_ERR_NOT_ENOUGH_MEM ? imagecode::kNoMemory : imagecode::kUnsupported;
}

// Steps over records up to the first image descriptor (read). False at the
// end of the file or on an error.
bool findFirstImage(GifFileType* gif) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    while (DGifGetRecordType(gif, &type) == GIF_OK) {
        if (type == IMAGE_DESC_RECORD_TYPE) {
            return DGifGetImageDesc(gif) == GIF_OK;
        }
        if (type == TERMINATE_RECORD_TYPE) {
            return false;
        }
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* extension = nullptr;
            if (DGifGetExtension(gif, &code, &extension) != GIF_OK) {
                return false;
            }
            while (extension != nullptr) {
                if (DGifGetExtensionNext(gif, &extension) != GIF_OK) {
                    return false;
                }
            }
        }
    }
    return false;
}

void fillBackground(const GifFileType& gif, BitmapCanvas& canvas) {
    const ColorMapObject* map = gif.SColorMap;
    if (map != nullptr && gif.SBackGroundColor >= 0 && gif.SBackGroundColor < map->ColorCount) {
        const GifColorType& colour = map->Colors[gif.SBackGroundColor];
        canvas.fill(colour.Red, colour.Green, colour.Blue);
    }
}

// The image's rows in the order they are stored.
std::vector<int> rowOrder(int height, bool interlaced) {
    std::vector<int> rows;
    rows.reserve(size_t(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y) {
            rows.push_back(y);
        }
        return rows;
    }
    static constexpr int kStart[] = {0, 4, 2, 1};
    static constexpr int kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (int y = kStart[pass]; y < height; y += kStep[pass]) {
            rows.push_back(y);
        }
    }
    return rows;
}

bool paintLine(const std::vector<GifPixelType>& line, const ColorMapObject& map,
               const GifImageDesc& image, int y, BitmapCanvas& canvas) {
    const int row = image.Top + y;
    if (row >= canvas.height()) {
        return std::all_of(line.begin(), line.end(), [&](GifPixelType i) { return i < map.ColorCount; });
    }
    uchar* target = canvas.row(row);
    for (int x = 0; x < image.Width; ++x) {
        if (line[size_t(x)] >= map.ColorCount) {
            return false;
        }
        const int column = image.Left + x;
        if (column < canvas.width()) {
            const GifColorType& colour = map.Colors[line[size_t(x)]];
            target[3 * column] = colour.Blue;
            target[3 * column + 1] = colour.Green;
            target[3 * column + 2] = colour.Red;
        }
    }
    return true;
}

}  // namespace

ImageLoad decodeGif(const QByteArray& bytes, const DecodeControl& control) {
    GifSource source{&bytes, 0};
    int error = 0;
    GifHandle gif(DGifOpen(&source, readGifBytes, &error));
    if (gif == nullptr) {
        return ImageLoad::failed(failure(error));
    }
    if (!findFirstImage(gif.get())) {
        return ImageLoad::failed(failure(gif->Error));
    }
    const GifImageDesc& image = gif->Image;
    const ColorMapObject* map = image.ColorMap != nullptr ? image.ColorMap : gif->SColorMap;
    if (map == nullptr || image.Width <= 0 || image.Height <= 0 || image.Left < 0 || image.Top < 0) {
        return ImageLoad::failed(imagecode::kUnsupported);
    }
    if (!control.limits.allows(image.Width, image.Height)) {
        return ImageLoad::failed(imagecode::kNoMemory);
    }
    const bool useScreen = gif->SWidth > 0 && gif->SHeight > 0;
    BitmapCanvas canvas;
    if (const int code = canvas.allocate(useScreen ? gif->SWidth : image.Width,
                                         useScreen ? gif->SHeight : image.Height, control.limits);
        code != imagecode::kOk) {
        return ImageLoad::failed(code);
    }
    fillBackground(*gif, canvas);
    std::vector<GifPixelType> line(size_t(image.Width));
    for (int y : rowOrder(image.Height, image.Interlace)) {
        if (control.cancelled()) {
            return ImageLoad::failed(imagecode::kCancelled);
        }
        if (DGifGetLine(gif.get(), line.data(), image.Width) != GIF_OK) {
            return ImageLoad::failed(failure(gif->Error));
        }
        if (!paintLine(line, *map, image, y, canvas)) {
            return ImageLoad::failed(imagecode::kUnsupported);
        }
    }
    return {canvas.finish(), imagecode::kOk, ImageFormat::Gif};
}

}  // namespace kontavo
