#pragma once

#include <QByteArray>
#include <QString>

#include "comm/vcardproperty.h"

namespace kontavo {

// A picture a card carries inline: the image file's bytes as they came
// (JPEG, PNG, GIF, ...) and their media type ("image/jpeg"). A plain value.
struct VCardPicture {
    QByteArray bytes;
    QString mediaType;

    bool operator==(const VCardPicture&) const = default;
};

// The PHOTO (and LOGO) property. Pure functions, safe on any input.
namespace vcardphoto {

// What a PHOTO property holds.
struct Value {
    enum class Kind {
        Inline,  // base64 (ENCODING=b, 2.1 BASE64) or a data: URI; in `picture`
        Link,    // a URI of a picture elsewhere; in `link`
        Broken,  // inline data that does not decode, or nothing at all
    };
    Kind kind = Kind::Broken;
    VCardPicture picture;
    QString link;
};
Value read(const VCardProperty& property);

// The property for a picture: vCard 3.0 "PHOTO;ENCODING=b;TYPE=JPEG:...",
// vCard 4.0 "PHOTO:data:image/jpeg;base64,...".
VCardProperty write(const VCardPicture& picture, bool version4);

// The media type the bytes' signature names (JPEG, PNG, GIF, BMP, TIFF);
// "application/octet-stream" when none does.
QString sniffMediaType(const QByteArray& bytes);

}  // namespace vcardphoto

}  // namespace kontavo
