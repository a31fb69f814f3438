#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "store/pictures/imageload.h"

namespace kontavo {

// The decoder an extension names (the text after the last "." of the file
// name, any case): jpg, jpeg, jpe, jif, jfif; tif, tiff; gif; bmp.
ImageFormat formatForFileName(const QString& fileName);

// Every extension formatForFileName() knows, with its leading ".".
QStringList pictureExtensions();

// Decodes `bytes`, trying `first` first. When that fails with a format error
// (or `first` is Unknown), the others are tried in the order JPEG, TIFF, GIF,
// BMP; kNoMemory or kCancelled from any of them ends the attempt at once.
// kUnsupported when none succeeds. `maxJpegReduction` as for decodeJpeg().
ImageLoad decodeImage(const QByteArray& bytes, ImageFormat first, int maxJpegReduction,
                      const DecodeControl& control = {});

// Reads the file at host path `path` and decodes it as above, the extension
// choosing the first decoder. kCannotOpen when the file cannot be read.
ImageLoad loadImageFile(const QString& path, int maxJpegReduction,
                        const DecodeControl& control = {});

}  // namespace kontavo
