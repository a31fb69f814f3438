#include "comm/vcardimport.h"

#include <QBuffer>
#include <QImage>

#include "store/contacts/categoriesdbmanager.h"
#include "store/contacts/contactmanager.h"
#include "store/contacts/progresssink.h"
#include "ui/pictureimage.h"

namespace kontavo {

namespace {

// The card's picture framed, when it has one and a framer is given.
Picture framedPictureOf(const VCardContact& contact, const VCardImport::PictureFramer& framer) {
    return contact.picture && framer ? framer(*contact.picture) : nullptr;
}

}  // namespace

VCardImport::Report VCardImport::run(const VCardReadResult& read, CategoriesDBManager& categories,
                                     const Writer& writer, const PictureFramer& framer,
                                     ProgressSink* progress,
                                     const QString& caption, const Listener& listener) {
    Report report;
    report.cards = int(read.contacts.size()) + read.unreadableCards;
    report.unreadable = read.unreadableCards;
    report.skippedLines = read.skippedLines;
    if (progress != nullptr && !read.contacts.isEmpty()) {
        progress->setRange(0, int(read.contacts.size()));
        progress->setStep(1);
        progress->setText(caption);
        progress->show();
    }
    for (qsizetype at = 0; at < read.contacts.size(); ++at) {
        const VCardContact& contact = read.contacts[at];
        ContactRecord record = contact.record;
        record.oid = 0;
        record.picture = framedPictureOf(contact, framer);
        const int picturesLeft =
            contact.picturesLeftOut + (contact.picture && record.picture == nullptr ? 1 : 0);
        Outcome outcome = Outcome::Refused;
        QString why;
        if (const std::optional<QByteArray> mask = categories.maskAddingNames(contact.categories)) {
            record.categoryMask = *mask;
            outcome = writer(record, &why);
        } else {
            why = QStringLiteral("its categories cannot be written");
        }
        if (outcome == Outcome::Refused || record.oid == 0) {
            outcome = Outcome::Refused;
            ++report.refused;
        } else {
            ++report.imported;
            report.notIndexed += outcome == Outcome::NotIndexed ? 1 : 0;
            report.oids.append(record.oid);
            report.picturesNotStored += picturesLeft;
        }
        if (listener) {
            listener(int(at + 1), record, outcome, why);
        }
        if (progress != nullptr) {
            progress->stepOnce();
        }
    }
    if (progress != nullptr && !read.contacts.isEmpty()) {
        progress->close();
    }
    return report;
}

VCardImport::Writer VCardImport::throughManager(ContactManager& manager) {
    return [&manager](ContactRecord& record, QString* why) {
        const bool indexed = manager.addContact(record);
        if (record.oid == 0) {
            *why = QStringLiteral("a value too long for the notes, or the store refused");
            return Outcome::Refused;
        }
        return indexed ? Outcome::Indexed : Outcome::NotIndexed;
    };
}

QString VCardImport::summary(const Report& report) {
    QString text = QStringLiteral("%1 contacts imported, %2 cards could not be read")
                       .arg(report.imported)
                       .arg(report.notImported());
    if (report.picturesNotStored > 0) {
        text += QStringLiteral(
                    "\n%1 pictures were not stored (a further picture of a card, or one "
                    "that cannot be read)")
                    .arg(report.picturesNotStored);
    }
    return text;
}

std::optional<VCardContact> vcardContactOf(ContactManager& manager, Oid oid) {
    VCardContact contact;
    if (!manager.readContact(oid, contact.record)) {
        return std::nullopt;
    }
    contact.categories = manager.categories().namesOfMask(contact.record.categoryMask);
    contact.picture = vcardPictureOf(contact.record.picture);
    return contact;
}

std::optional<VCardPicture> vcardPictureOf(const Picture& picture) {
    constexpr int kQuality = 90;
    if (picture == nullptr) {
        return std::nullopt;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) ||
        !pictureImage(*picture).save(&buffer, "JPEG", kQuality) || bytes.isEmpty()) {
        return std::nullopt;
    }
    return VCardPicture{bytes, QStringLiteral("image/jpeg")};
}

}  // namespace kontavo
