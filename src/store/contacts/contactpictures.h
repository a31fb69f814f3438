#pragma once

#include <QString>

namespace kontavo {

class DeviceFs;
struct ContactRecord;

// Loads and saves the picture files of contacts for the contact manager.
// The manager works without one (no picture is loaded or written); the
// picture subsystem plugs its implementation in. UI thread only.
class ContactPictures {
public:
    virtual ~ContactPictures() = default;

    // Loads record.picture from the file record.extended.image names, trying
    // the name computed from the record's names when that fails (and
    // adjusting extended.image to what was found, or clearing it).
    virtual void load(ContactRecord& record) = 0;
    // Called when the record is written (`created`: as a new record, whose
    // extended.image, if any, names another contact's file): picks a unique
    // file name into extended.image and writes record.picture there when
    // there is one, then deletes the file extended.image named before.
    // False when the picture could not be written; the old file and name
    // are kept then.
    virtual bool save(ContactRecord& record, bool created) = 0;
};

// Deletes the picture file of a contact that is being deleted. The file the
// index names for it (`indexedName`) goes first; when there is none, or it
// cannot be deleted, the file named from the contact's name parts (Title,
// FirstName, MiddleName, LastName and Oid of `names`, pictureFileName()
// without `unique`). Trying the indexed name first keeps a namesake's
// picture ("A_B.bmp" while this contact's own is "A_B_1234.bmp") from being
// deleted in its place. True when a file was deleted.
bool deleteContactPicture(const DeviceFs& fs, const ContactRecord& names,
                          const QString& indexedName);

}  // namespace kontavo
