#pragma once

#include <QString>

namespace kontavo {

class DeviceFs;
struct ContactRecord;

// The folder that holds contact pictures, a device path relative to the
// root ("\Kontavo Files" on the handheld; not the documents folder).
QString pictureFolder();
// The device path of a picture file in that folder.
QString picturePath(const QString& fileName);

// A name part made safe for a file name: every character below 0x20 and
// each of  " * . / : < > ? \ |  becomes an underscore.
QString sanitizePictureNamePart(const QString& part);

// The file name for the contact's picture: the sanitised first, middle and
// last names joined by "_" and ".bmp". When that base is empty, or `unique`
// is asked for and base.bmp exists, the sanitised title (else the decimal
// oid) is appended to the base; with `unique`, "_1", "_2", ... follow the base
// until the name is free. A file named `ownName` (the contact's own picture,
// about to be replaced) counts as free. Creates the picture folder when it is
// missing.
QString pictureFileName(const ContactRecord& record, const DeviceFs& fs, bool unique,
                        const QString& ownName = QString());

}  // namespace kontavo
