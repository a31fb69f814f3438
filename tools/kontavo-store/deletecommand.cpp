// delete OID: the record goes, its categories' references drop.
#include "contactargument.h"
#include "store/contacts/contactsdatabase.h"
#include "storecommand.h"
#include "storeoutput.h"

namespace kontavo {

namespace {

int runDelete(StoreContext& context, const CommandArgs& args) {
    int status = kExitOk;
    const std::optional<DbRecord> read = contactArgument(context, args.positional[0], status);
    if (!read) {
        return status;
    }
    return context.db.deleteRecord(read->oid)
               ? kExitOk
               : fail(QStringLiteral("contact %1 cannot be deleted").arg(read->oid), kExitFailed);
}

}  // namespace

StoreCommandInfo deleteCommand() {
    return {QStringLiteral("delete"),
            QStringLiteral("delete OID"),
            QStringLiteral("delete a contact"),
            1,
            1,
            {},
            {},
            runDelete};
}

}  // namespace kontavo
