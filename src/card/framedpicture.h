#pragma once

#include <QByteArray>
#include <QString>

#include "store/record/picturebitmap.h"

namespace kontavo {

struct VCardPicture;

// A contact's picture made from an image without the picture editor: the
// part the editor's frame shows when the image is opened and confirmed at
// once (the starting zoom, centred, at the handheld's resolution). Pure
// functions, safe on any input and any thread.
namespace framedpicture {

// The frame's side at 96 dpi, in pixels.
inline constexpr int kFrameSize = 72;
// The largest JPEG reduction asked of the decoder for such an image.
inline constexpr int kMaxJpegReduction = 4;

// `image` framed; null when it is null or too small to frame.
Picture frame(const Picture& image);

// A card's inline picture decoded (JPEG, TIFF, GIF or BMP, whatever its
// media type claims) and framed; null when it cannot be decoded or framed.
Picture ofCard(const VCardPicture& picture);

}  // namespace framedpicture

}  // namespace kontavo
