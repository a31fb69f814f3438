// delete OID: the record goes, its categories' references drop.
#include "contactargument.h"
#include "contactwriter.h"
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
    if (!context.db.deleteRecord(read->oid)) {
        return fail(QStringLiteral("contact %1 cannot be deleted").arg(read->oid), kExitFailed);
    }
    return args.has(kWaitOption) && !waitForIndex(context) ? kExitFailed : kExitOk;
}

}  // namespace

StoreCommandInfo deleteCommand() {
    return {QStringLiteral("delete"),
            QStringLiteral("delete OID [--wait]"),
            QStringLiteral("delete a contact"),
            1,
            1,
            {{kWaitOption, QString()}},
            {},
            runDelete,
            true};
}

}  // namespace kontavo
