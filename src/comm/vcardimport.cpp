#include "comm/vcardimport.h"

#include "store/contacts/categoriesdbmanager.h"
#include "store/contacts/contactmanager.h"
#include "store/contacts/progresssink.h"

namespace kontavo {

namespace {

int picturesOf(const VCardContact& contact) {
    return (contact.picture ? 1 : 0) + contact.picturesLeftOut;
}

}  // namespace

VCardImport::Report VCardImport::run(const VCardReadResult& read, CategoriesDBManager& categories,
                                     const Writer& writer, ProgressSink* progress,
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
            report.picturesNotStored += picturesOf(contact);
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
                    "\n%1 pictures were not stored: imported pictures are not "
                    "kept yet")
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
    return contact;
}

}  // namespace kontavo
