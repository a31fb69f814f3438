#pragma once

#include "store/contacts/contactpictures.h"
#include "store/record/picturebitmap.h"

namespace kontavo {

class DeviceFs;

// Contact pictures as 24-bit BMP files in the picture folder of a device.
//
// Loading reads the file the contact names; when that file is missing, the
// file named from the contact's names is tried and its name adopted when it
// decodes. A name whose file exists but cannot be decoded now is kept (the
// file may be readable later); a name whose file is gone is cleared.
//
// Saving writes the new file first (a temporary file renamed into place) and
// deletes the old one afterwards, so a failed write keeps the old picture.
// A contact saved without a picture loses its file only when that file still
// decodes (the user cleared the picture); an undecodable file and its name
// stay. UI thread only; `fs` must outlive this object.
class ContactPictureFiles final : public ContactPictures {
public:
    explicit ContactPictureFiles(const DeviceFs& fs) : m_fs(fs) {}

    void load(ContactRecord& record) override;
    bool save(ContactRecord& record, bool created) override;

    // Decodes the picture file `fileName` of the picture folder; null when
    // it is missing or cannot be decoded.
    Picture read(const QString& fileName) const;
    // Writes `picture` as the BMP file `fileName` of the picture folder
    // (created when missing) through a temporary file; private to the user.
    bool write(const QString& fileName, const PictureBitmap& picture) const;

private:
    bool fileExists(const QString& fileName) const;
    bool saveWithout(ContactRecord& record, bool created);

    const DeviceFs& m_fs;
};

}  // namespace kontavo
