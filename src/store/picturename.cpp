#include "store/picturename.h"

#include <QStringList>

#include "platform/devicefs.h"
#include "store/contactrecord.h"

namespace kontavo {

namespace {

bool isUnsafeNameChar(QChar c) {
    static const QString kUnsafe = QStringLiteral("\"*./:<>?\\|");
    return c.unicode() < 0x20 || kUnsafe.contains(c);
}

QString joinedNameBase(const ContactRecord& record) {
    QStringList parts;
    for (ContactField f :
         {ContactField::FirstName, ContactField::MiddleName, ContactField::LastName}) {
        const QString part = sanitizePictureNamePart(record.field(f));
        if (!part.isEmpty()) {
            parts.append(part);
        }
    }
    return parts.join(QLatin1Char('_'));
}

}  // namespace

QString pictureFolder() {
    return QStringLiteral("Kontavo Files");
}

QString picturePath(const QString& fileName) {
    return DeviceFs::join(pictureFolder(), fileName);
}

QString sanitizePictureNamePart(const QString& part) {
    QString safe = part;
    for (QChar& c : safe) {
        if (isUnsafeNameChar(c)) {
            c = QLatin1Char('_');
        }
    }
    return safe;
}

QString pictureFileName(const ContactRecord& record, const DeviceFs& fs, bool unique) {
    if (!fs.folderExists(pictureFolder())) {
        fs.createFolder(pictureFolder());
    }
    const QString bmp = QStringLiteral(".bmp");
    QString base = joinedNameBase(record);
    if (base.isEmpty() || (unique && fs.fileExists(picturePath(base + bmp)))) {
        const QString title = sanitizePictureNamePart(record.field(ContactField::Title));
        base += title.isEmpty() ? QString::number(record.oid) : title;
    }
    QString name = base + bmp;
    if (unique) {
        for (int n = 1; fs.fileExists(picturePath(name)); ++n) {
            name = base + QLatin1Char('_') + QString::number(n) + bmp;
        }
    }
    return name;
}

}  // namespace kontavo
