#include "store/pictures/imagefile.h"

#include <QFile>
#include <QFileInfo>
#include <new>

#include "store/pictures/bmpcodec.h"
#include "store/pictures/gifdecoder.h"
#include "store/pictures/jpegdecoder.h"
#include "store/pictures/tiffdecoder.h"

namespace kontavo {

namespace {

struct ExtensionFormat {
    const char* extension;
    ImageFormat format;
};

constexpr ExtensionFormat kExtensions[] = {
    {"jpg", ImageFormat::Jpeg}, {"jpeg", ImageFormat::Jpeg}, {"jpe", ImageFormat::Jpeg},
    {"jif", ImageFormat::Jpeg}, {"jfif", ImageFormat::Jpeg}, {"tif", ImageFormat::Tiff},
    {"tiff", ImageFormat::Tiff}, {"gif", ImageFormat::Gif},  {"bmp", ImageFormat::Bmp},
};

constexpr ImageFormat kFallbackOrder[] = {ImageFormat::Jpeg, ImageFormat::Tiff, ImageFormat::Gif,
                                          ImageFormat::Bmp};

ImageLoad decodeAs(ImageFormat format, const QByteArray& bytes, int maxJpegReduction,
                   const DecodeControl& control) {
    switch (format) {
        case ImageFormat::Jpeg:
            return decodeJpeg(bytes, maxJpegReduction, control);
        case ImageFormat::Tiff:
            return decodeTiff(bytes, control);
        case ImageFormat::Gif:
            return decodeGif(bytes, control);
        case ImageFormat::Bmp:
            return decodeBmp(bytes, control);
        case ImageFormat::Unknown:
            break;
    }
    return ImageLoad::failed(imagecode::kUnsupported);
}

bool endsAttempt(const ImageLoad& load) {
    return load.ok() || load.code == imagecode::kNoMemory || load.code == imagecode::kCancelled;
}

// Files past this size are not read into memory for decoding.
constexpr qint64 kMaxFileSize = qint64{512} * 1024 * 1024;

}  // namespace

ImageFormat formatForFileName(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) {
        return ImageFormat::Unknown;
    }
    const QString extension = fileName.mid(dot + 1);
    for (const ExtensionFormat& entry : kExtensions) {
        if (extension.compare(QLatin1String(entry.extension), Qt::CaseInsensitive) == 0) {
            return entry.format;
        }
    }
    return ImageFormat::Unknown;
}

QStringList pictureExtensions() {
    QStringList extensions;
    for (const ExtensionFormat& entry : kExtensions) {
        extensions.append(QLatin1Char('.') + QLatin1String(entry.extension));
    }
    return extensions;
}

ImageLoad decodeImage(const QByteArray& bytes, ImageFormat first, int maxJpegReduction,
                      const DecodeControl& control) {
    ImageLoad load = decodeAs(first, bytes, maxJpegReduction, control);
    if (endsAttempt(load)) {
        return load;
    }
    for (ImageFormat format : kFallbackOrder) {
        if (format == first) {
            continue;
        }
        load = decodeAs(format, bytes, maxJpegReduction, control);
        if (endsAttempt(load)) {
            return load;
        }
    }
    return ImageLoad::failed(imagecode::kUnsupported);
}

ImageLoad loadImageFile(const QString& path, int maxJpegReduction, const DecodeControl& control) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return ImageLoad::failed(imagecode::kCannotOpen);
    }
    if (file.size() > kMaxFileSize) {
        return ImageLoad::failed(imagecode::kNoMemory);
    }
    QByteArray bytes;
    try {
        bytes = file.readAll();
    } catch (const std::bad_alloc&) {
        return ImageLoad::failed(imagecode::kNoMemory);
    }
    if (file.error() != QFileDevice::NoError) {
        return ImageLoad::failed(imagecode::kCannotOpen);
    }
    return decodeImage(bytes, formatForFileName(QFileInfo(path).fileName()), maxJpegReduction,
                       control);
}

}  // namespace kontavo
