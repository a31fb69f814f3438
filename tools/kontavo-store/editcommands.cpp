// add FIELD=VALUE... and set OID FIELD=VALUE...: contacts written the way
// another program writes them, notes rebuilt from the user note and the
// extended properties, category references counted.
#include "fieldassignment.h"
#include "store/contacts/contactnotes.h"
#include "store/contacts/contactsdatabase.h"
#include "store/notes/extendedblock.h"
#include "storecommand.h"
#include "storeoutput.h"

namespace kontavo {

namespace {

int save(StoreContext& context, ContactRecord& record, const QStringList& fields, bool create) {
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
    const std::optional<RebuiltNotes> notes = rebuildNotes(record, context.locale);
    if (!notes) {
        return fail(QStringLiteral("the notes cannot be built (a value is too long, or the note "
                                   "is damaged); nothing was written"),
                    kExitFailed);
    }
    record.notesBlob = notes->blob;
    if (!(create ? context.db.createRecord(record) : context.db.updateRecord(record))) {
        return fail(QStringLiteral("the contact cannot be written"), kExitFailed);
    }
    if (create) {
        printOut(QStringLiteral("%1\n").arg(record.oid));
    }
    return kExitOk;
}

int runAdd(StoreContext& context, const CommandArgs& args) {
    ContactRecord record;
    return save(context, record, args.positional, true);
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
    return save(context, record, args.positional.mid(1), false);
}

}  // namespace

StoreCommandInfo addCommand() {
    return {QStringLiteral("add"),
            QStringLiteral("add FIELD=VALUE..."),
            QStringLiteral("create a contact; prints its Oid"),
            1,
            -1,
            {},
            {},
            runAdd};
}

StoreCommandInfo setCommand() {
    return {QStringLiteral("set"),
            QStringLiteral("set OID FIELD=VALUE..."),
            QStringLiteral("change a contact (an empty VALUE clears)"),
            2,
            -1,
            {},
            {},
            runSet};
}

}  // namespace kontavo
