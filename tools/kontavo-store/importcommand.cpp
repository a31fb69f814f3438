// import FILE: every card of a vCard file becomes a new contact, written the
// way the program writes one (ContactManager: notes rebuilt, categories
// counted). The tool indexes the contacts itself only while it keeps the
// index; beside a running program that does, it writes the database and that
// program indexes them. A card counts as imported exactly when its contact
// was written.
#include <QFile>

#include "comm/vcard.h"
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

enum class Imported { Written, NotIndexed, Refused };

struct Tally {
    int written = 0;
    int notIndexed = 0;
    int refused = 0;
};

// Adds one card's contact (through the manager when it is open, else to the
// database alone); prints its Oid, or why it was not written.
Imported importOne(StoreContext& context, ContactManager* manager, VCardContact& contact,
                   int number) {
    ContactRecord& record = contact.record;
    const std::optional<QByteArray> mask =
        context.db.categories().maskAddingNames(contact.categories);
    if (!mask) {
        printErr(QStringLiteral("card %1: its categories cannot be written").arg(number));
        return Imported::Refused;
    }
    record.categoryMask = *mask;
    record.oid = 0;
    bool complete = false;
    QString refused;
    if (manager != nullptr) {
        complete = manager->addContact(record);
    } else {
        refused = writeContact(context, record, true);
    }
    if (record.oid == 0) {
        printErr(QStringLiteral("card %1 was not written: %2")
                     .arg(number)
                     .arg(refused.isEmpty() ? QStringLiteral("a value too long for the notes, "
                                                             "or the store refused")
                                            : refused));
        return Imported::Refused;
    }
    printOut(QStringLiteral("%1\n").arg(record.oid));
    if (manager != nullptr && !complete) {
        printErr(QStringLiteral("card %1 was written as %2; the index could not take it in "
                                "(it is brought up to date at the next start)")
                     .arg(number)
                     .arg(record.oid));
        return Imported::NotIndexed;
    }
    return Imported::Written;
}

Tally importAll(StoreContext& context, QList<VCardContact>& contacts) {
    ManagerSession session(context);
    ContactManager* manager = session.open() ? &session.manager() : nullptr;
    if (manager == nullptr) {
        printErr(
            QStringLiteral("the index cannot be opened: the cards go to the database alone "
                           "(the index is brought up to date at the next start)"));
    }
    Tally tally;
    for (qsizetype at = 0; at < contacts.size(); ++at) {
        switch (importOne(context, manager, contacts[at], int(at + 1))) {
            case Imported::NotIndexed:
                ++tally.notIndexed;
                [[fallthrough]];
            case Imported::Written:
                ++tally.written;
                break;
            case Imported::Refused:
                ++tally.refused;
                break;
        }
        StoreParticipant::pump();  // the other programs' messages
    }
    // Keeping the index, the tool takes in what changed meanwhile, so that
    // it leaves the index current.
    if (manager != nullptr && manager->isMaster()) {
        manager->catchUp(kCatchUpMs);
    }
    return tally;
}

int runImport(StoreContext& context, const CommandArgs& args) {
    const QString& path = args.positional[0];
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return fail(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()),
                    kExitFailed);
    }
    VCardReadResult read = readVCards(file.readAll());
    if (read.contacts.isEmpty()) {
        return fail(QStringLiteral("%1 holds no vCard").arg(path), kExitFailed);
    }
    if (read.skippedLines > 0) {
        printErr(QStringLiteral("%1: %2 malformed or stray lines skipped")
                     .arg(path)
                     .arg(read.skippedLines));
    }
    const Tally tally = importAll(context, read.contacts);
    const qsizetype total = read.contacts.size();
    if (tally.refused > 0) {
        return fail(QStringLiteral("%1 of %2 cards were imported; %3 could not be written")
                        .arg(tally.written)
                        .arg(total)
                        .arg(tally.refused),
                    kExitFailed);
    }
    if (args.has(kWaitOption) && !waitForIndex(context)) {
        return kExitFailed;
    }
    if (tally.notIndexed > 0) {
        printErr(QStringLiteral("all %1 cards were imported; %2 of them are not indexed yet")
                     .arg(total)
                     .arg(tally.notIndexed));
    }
    return kExitOk;
}

}  // namespace

StoreCommandInfo importCommand() {
    return {QStringLiteral("import"),
            QStringLiteral("import FILE [--wait]"),
            QStringLiteral("every card of a vCard file (3.0 or 2.1) as a new contact; prints "
                           "the new Oids"),
            1,
            1,
            {{kWaitOption, QString()}},
            {},
            runImport,
            true};
}

}  // namespace kontavo
