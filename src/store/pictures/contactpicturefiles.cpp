#include "store/pictures/contactpicturefiles.h"

#include <QFile>
#include <QSaveFile>

#include "platform/devicefs.h"
#include "platform/privatefiles.h"
#include "store/pictures/bmpcodec.h"
#include "store/pictures/imagefile.h"
#include "store/record/contactrecord.h"
#include "store/record/picturename.h"

namespace kontavo {

namespace {

// Stored pictures are never reduced on loading.
constexpr int kNoReduction = 1;

}  // namespace

bool ContactPictureFiles::fileExists(const QString& fileName) const {
    return !fileName.isEmpty() && m_fs.fileExists(picturePath(fileName));
}

Picture ContactPictureFiles::read(const QString& fileName) const {
    const std::optional<QString> path = m_fs.hostPath(picturePath(fileName));
    if (fileName.isEmpty() || !path) {
        return nullptr;
    }
    return loadImageFile(*path, kNoReduction).picture;
}

bool ContactPictureFiles::write(const QString& fileName, const PictureBitmap& picture) const {
    const std::optional<QString> folder = m_fs.hostPath(pictureFolder());
    const std::optional<QString> path = m_fs.hostPath(picturePath(fileName));
    if (!folder || !path || !makePrivateFolder(*folder)) {
        return false;
    }
    QSaveFile file(*path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QByteArray bytes = encodeBmp(picture);
    return file.write(bytes) == bytes.size() && file.commit();
}

void ContactPictureFiles::load(ContactRecord& record) {
    QString& name = record.extended.image;
    record.picture = nullptr;
    if (fileExists(name)) {
        record.picture = read(name);
        return;  // kept even when it cannot be decoded now
    }
    const QString expected = pictureFileName(record, m_fs, false);
    if (expected.compare(name, Qt::CaseInsensitive) != 0 && fileExists(expected)) {
        if (Picture picture = read(expected)) {
            record.picture = std::move(picture);
            name = expected;
            return;
        }
    }
    name.clear();
}

bool ContactPictureFiles::save(ContactRecord& record, bool created) {
    if (record.picture == nullptr) {
        return saveWithout(record, created);
    }
    const QString old = created ? QString() : record.extended.image;
    const QString name = pictureFileName(record, m_fs, true, old);
    if (!write(name, *record.picture)) {
        if (created) {
            record.extended.image.clear();  // the name was another contact's
        }
        return false;
    }
    if (!old.isEmpty() && old.compare(name, Qt::CaseInsensitive) != 0) {
        m_fs.removeFile(picturePath(old));
    }
    record.extended.image = name;
    return true;
}

// Without a picture: a file that still decodes was cleared by the user and
// goes; one that cannot be decoded is kept with its name, so that it is not
// lost while nobody could see it.
bool ContactPictureFiles::saveWithout(ContactRecord& record, bool created) {
    QString& name = record.extended.image;
    if (created || !fileExists(name)) {
        name.clear();
        return true;
    }
    if (read(name) != nullptr) {
        m_fs.removeFile(picturePath(name));
        name.clear();
    }
    return true;
}

}  // namespace kontavo
