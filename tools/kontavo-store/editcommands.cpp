// add FIELD=VALUE... and set OID FIELD=VALUE...: contacts written the way
// another program writes them, notes rebuilt from the user note and the
// extended properties, category references counted.
#include "contactwriter.h"
#include "fieldassignment.h"
#include "store/contacts/contactnotes.h"
#include "store/contacts/contactsdatabase.h"
#include "store/notes/extendedblock.h"
#include "storecommand.h"
#include "storeoutput.h"

namespace kontavo {

namespace {

int save(StoreContext& context, ContactRecord& record, const QStringList& fields, bool create,
         bool wait) {
    QString error;
    const std::optional<ContactEdit> edit = ContactEdit::parse(fields, error);
    if (!edit) {
        return fail(error, kExitUsage);
    }
    edit->applyTo(record);
    if (edit->categories()) {
        const std::optional<QByteArray> mask =
            context.db.categories().maskAddingNames(*edit->categories());
        if (!mask) {
            return fail(QStringLiteral("the categories cannot be written"), kExitFailed);
        }
        record.categoryMask = *mask;
    }
    const QString refused = writeContact(context, record, create);
    if (!refused.isEmpty()) {
        return fail(refused, kExitFailed);
    }
    if (create) {
        printOut(QStringLiteral("%1\n").arg(record.oid));
    }
    return wait && !waitForIndex(context) ? kExitFailed : kExitOk;
}

int runAdd(StoreContext& context, const CommandArgs& args) {
    ContactRecord record;
    return save(context, record, args.positional, true, args.has(kWaitOption));
}

int runSet(StoreContext& context, const CommandArgs& args) {
    const std::optional<Oid> oid = oidArgument(args.positional[0]);
    if (!oid) {
        return kExitUsage;
    }
    ContactRecord record;
    if (!context.db.readRecord(*oid, record)) {
        return fail(QStringLiteral("no contact %1").arg(*oid), kExitFailed);
    }
    QString text;
    if (!readBlock(record.notesBlob, record.extended, text, context.locale)) {
        return fail(QStringLiteral("the notes of %1 hold a block that cannot be read; "
                                   "replace them with set-notes first")
                        .arg(*oid),
                    kExitFailed);
    }
    record.userNote = stripBlock(record.notesBlob, context.locale);
    return save(context, record, args.positional.mid(1), false, args.has(kWaitOption));
}

}  // namespace

StoreCommandInfo addCommand() {
    return {QStringLiteral("add"),
            QStringLiteral("add FIELD=VALUE... [--wait]"),
            QStringLiteral("create a contact; prints its Oid"),
            1,
            -1,
            {{kWaitOption, QString()}},
            {},
            runAdd,
            true};
}

StoreCommandInfo setCommand() {
    return {QStringLiteral("set"),
            QStringLiteral("set OID FIELD=VALUE... [--wait]"),
            QStringLiteral("change a contact (an empty VALUE clears)"),
            2,
            -1,
            {{kWaitOption, QString()}},
            {},
            runSet,
            true};
}

}  // namespace kontavo
