#include "store/record/picturename.h"

#include <QStringList>

#include "platform/devicefs.h"
#include "store/record/contactrecord.h"

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

QString pictureFileName(const ContactRecord& record, const DeviceFs& fs, bool unique,
                        const QString& ownName) {
    const auto taken = [&](const QString& name) {
        return name.compare(ownName, Qt::CaseInsensitive) != 0 && fs.fileExists(picturePath(name));
    };
    if (!fs.folderExists(pictureFolder())) {
        fs.createFolder(pictureFolder());
    }
    const QString bmp = QStringLiteral(".bmp");
    QString base = joinedNameBase(record);
    if (base.isEmpty() || (unique && taken(base + bmp))) {
        const QString title = sanitizePictureNamePart(record.field(ContactField::Title));
        base += title.isEmpty() ? QString::number(record.oid) : title;
    }
    QString name = base + bmp;
    if (unique) {
        for (int n = 1; taken(name); ++n) {
            name = base + QLatin1Char('_') + QString::number(n) + bmp;
        }
    }
    return name;
}

}  // namespace kontavo
