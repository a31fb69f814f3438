#include "card/framedpicture.h"

#include "card/pictureeditor.h"
#include "comm/vcardphoto.h"
#include "store/pictures/imagefile.h"

namespace kontavo::framedpicture {

namespace {

ImageFormat formatOfMediaType(const QString& mediaType) {
    const QString type = mediaType.toLower();
    if (type == QLatin1String("image/jpeg") || type == QLatin1String("image/jpg")) {
        return ImageFormat::Jpeg;
    }
    if (type == QLatin1String("image/tiff")) {
        return ImageFormat::Tiff;
    }
    if (type == QLatin1String("image/gif")) {
        return ImageFormat::Gif;
    }
    if (type == QLatin1String("image/bmp") || type == QLatin1String("image/x-bmp")) {
        return ImageFormat::Bmp;
    }
    return ImageFormat::Unknown;
}

}  // namespace

Picture frame(const Picture& image) {
    if (image == nullptr) {
        return nullptr;
    }
    PictureEditor editor(kFrameSize);
    editor.open(nullptr);
    editor.replace(image);
    return editor.result();
}

Picture ofCard(const VCardPicture& picture) {
    const ImageLoad load =
        decodeImage(picture.bytes, formatOfMediaType(picture.mediaType), kMaxJpegReduction);
    return load.ok() ? frame(load.picture) : nullptr;
}

}  // namespace kontavo::framedpicture
