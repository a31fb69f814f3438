#include "card/framedpicture.h"

#include "card/pictureeditor.h"
#include "comm/vcardphoto.h"
#include "store/pictures/imagefile.h"

namespace kontavo::framedpicture {

Picture frame(const Picture& image) {
    if (image == nullptr) {
        return nullptr;
    }
    PictureEditor editor(kFrameSize);
    editor.open(nullptr);
    editor.replace(image);
    return editor.result();
}

// The decoders are tried in turn: a card's media type is often missing or
// wrong, and each decoder refuses what is not its own at once.
Picture ofCard(const VCardPicture& picture) {
    const ImageLoad load = decodeImage(picture.bytes, ImageFormat::Unknown, kMaxJpegReduction);
    return load.ok() ? frame(load.picture) : nullptr;
}

}  // namespace kontavo::framedpicture
