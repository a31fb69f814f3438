#pragma once

#include <QByteArray>

#include "store/pictures/imageload.h"

namespace kontavo {

// Decodes a JPEG image through libjpeg into RGB. It is tried at the output
// scale 1/1 first and, when that fails (memory short, the limits refuse the
// size), at 1/2, 1/3 and 1/4 in turn, up to 1/`maxReduction` (libjpeg rounds
// the ratio to the steps it supports). kNoMemory when the last attempt ran
// short of memory; kUnsupported for bytes that are not a JPEG image.
// Reentrant: libjpeg's errors come back inside this module.
ImageLoad decodeJpeg(const QByteArray& bytes, int maxReduction, const DecodeControl& control = {});

}  // namespace kontavo
