#pragma once

#include <QByteArray>

#include "store/pictures/imageload.h"

namespace kontavo {

// Decodes the first image of a GIF file through giflib onto the logical
// screen, which is filled with the background colour of the global colour
// map first. Interlaced images are written in the four passes (rows 0, 4, 2,
// 1 with steps 8, 8, 4, 2). kNoMemory when giflib runs short of memory;
// kUnsupported for any other error, an image without a colour map, or a
// colour index past its colour map.
ImageLoad decodeGif(const QByteArray& bytes, const DecodeControl& control = {});

}  // namespace kontavo
