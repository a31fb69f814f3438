#include "store/contacts/contactpictures.h"

#include "platform/devicefs.h"
#include "store/record/contactrecord.h"
#include "store/record/picturename.h"

namespace kontavo {

namespace {

bool removePicture(const DeviceFs& fs, const QString& name) {
    return !name.isEmpty() && fs.removeFile(picturePath(name));
}

}  // namespace

bool deleteContactPicture(const DeviceFs& fs, const ContactRecord& names,
                          const QString& indexedName) {
    if (removePicture(fs, indexedName)) {
        return true;
    }
    return removePicture(fs, pictureFileName(names, fs, false));
}

}  // namespace kontavo
