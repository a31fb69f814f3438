// import FILE: every card of a vCard file becomes a new contact, written the
// way the program writes one (ContactManager: notes rebuilt, categories
// counted). The tool indexes the contacts itself only while it keeps the
// index; beside a running program that does, it writes the database and that
// program indexes them. A card counts as imported exactly when its contact
// was written.
#include <QFile>

#include "card/framedpicture.h"
#include "comm/vcard.h"
#include "comm/vcardimport.h"
#include "contactwriter.h"
#include "managersession.h"
#include "store/contacts/contactmanager.h"
#include "store/contacts/contactsdatabase.h"
#include "storecommand.h"
#include "storeoutput.h"
#include "storeparticipant.h"
#include "toolindex.h"

namespace kontavo {

namespace {

// How long a tool that keeps the index waits at the end for the
// notifications of the changes made meanwhile (its own, and other programs').
constexpr int kCatchUpMs = 10000;

// Prints each card's new Oid, or why its contact was not written; a contact
// written to the database alone is not indexed, as was said before.
void printCard(int number, const ContactRecord& record, VCardImport::Outcome outcome,
               const QString& why, bool indexing) {
    if (!indexing && outcome == VCardImport::Outcome::NotIndexed) {
        outcome = VCardImport::Outcome::Indexed;
    }
    switch (outcome) {
        case VCardImport::Outcome::Refused:
            printErr(QStringLiteral("card %1 was not written: %2").arg(number).arg(why));
            return;
        case VCardImport::Outcome::NotIndexed:
            printOut(QStringLiteral("%1\n").arg(record.oid));
            printErr(QStringLiteral("card %1 was written as %2; the index could not take it in "
                                    "(it is brought up to date at the next start)")
                         .arg(number)
                         .arg(record.oid));
            return;
        case VCardImport::Outcome::Indexed:
            printOut(QStringLiteral("%1\n").arg(record.oid));
            return;
    }
}

// Through the manager when it is open, else to the database alone.
VCardImport::Report importAll(StoreContext& context, const VCardReadResult& read, bool* indexing) {
    ManagerSession session(context);
    ContactManager* manager = session.open() ? &session.manager() : nullptr;
    if (manager == nullptr) {
        printErr(
            QStringLiteral("the index cannot be opened: the cards go to the database alone "
                           "(the index is brought up to date at the next start)"));
    }
    const VCardImport::Writer throughManager =
        manager != nullptr ? VCardImport::throughManager(*manager) : VCardImport::Writer();
    const VCardImport::Writer writer = [&](ContactRecord& record, QString* why) {
        StoreParticipant::pump();  // the other programs' messages
        if (throughManager) {
            return throughManager(record, why);
        }
        *why = writeContact(context, record, true);
        return why->isEmpty() ? VCardImport::Outcome::NotIndexed : VCardImport::Outcome::Refused;
    };
    *indexing = manager != nullptr;
    // Picture files are written by the manager; the database alone keeps none.
    const VCardImport::PictureFramer framer =
        manager != nullptr ? VCardImport::PictureFramer(framedpicture::ofCard)
                           : VCardImport::PictureFramer();
    const VCardImport::Report report =
        VCardImport::run(read, context.db.categories(), writer, framer, nullptr, QString(),
                         [indexing = *indexing](int number, const ContactRecord& record,
                                                VCardImport::Outcome outcome, const QString& why) {
                             printCard(number, record, outcome, why, indexing);
                         });
    // Keeping the index, the tool takes in what changed meanwhile, so that
    // it leaves the index current.
    if (manager != nullptr && manager->isMaster()) {
        manager->catchUp(kCatchUpMs);
    }
    return report;
}

int runImport(StoreContext& context, const CommandArgs& args) {
    const QString& path = args.positional[0];
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return fail(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()),
                    kExitFailed);
    }
    const VCardReadResult read = readVCards(file.readAll());
    if (read.contacts.isEmpty()) {
        return fail(QStringLiteral("%1 holds no vCard").arg(path), kExitFailed);
    }
    if (read.skippedLines > 0) {
        printErr(QStringLiteral("%1: %2 malformed or stray lines skipped")
                     .arg(path)
                     .arg(read.skippedLines));
    }
    if (read.unreadableCards > 0) {
        printErr(
            QStringLiteral("%1: %2 cards hold no contact").arg(path).arg(read.unreadableCards));
    }
    bool indexing = false;
    const VCardImport::Report report = importAll(context, read, &indexing);
    const qsizetype total = read.contacts.size();
    if (report.picturesNotStored > 0) {
        printErr(QStringLiteral("%1 pictures were not stored (a further picture of a card, "
                                "one that cannot be read, or the index was not open)")
                     .arg(report.picturesNotStored));
    }
    if (report.refused > 0) {
        return fail(QStringLiteral("%1 of %2 cards were imported; %3 could not be written")
                        .arg(report.imported)
                        .arg(total)
                        .arg(report.refused),
                    kExitFailed);
    }
    if (args.has(kWaitOption) && !waitForIndex(context)) {
        return kExitFailed;
    }
    if (indexing && report.notIndexed > 0) {
        printErr(QStringLiteral("all %1 cards were imported; %2 of them are not indexed yet")
                     .arg(total)
                     .arg(report.notIndexed));
    }
    return kExitOk;
}

}  // namespace

StoreCommandInfo importCommand() {
    return {QStringLiteral("import"),
            QStringLiteral("import FILE [--wait]"),
            QStringLiteral("every card of a vCard file (4.0, 3.0 or 2.1) as a new contact; "
                           "prints the new Oids"),
            1,
            1,
            {{kWaitOption, QString()}},
            {},
            runImport,
            true};
}

}  // namespace kontavo
