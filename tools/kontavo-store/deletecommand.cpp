// delete OID: the record goes, its categories' references drop.
#include "store/contacts/contactsdatabase.h"
#include "storecommand.h"
#include "storeoutput.h"

namespace kontavo {

namespace {

int runDelete(StoreContext& context, const CommandArgs& args) {
    const std::optional<Oid> oid = oidArgument(args.positional[0]);
    if (!oid) {
        return kExitUsage;
    }
    if (!context.db.readRaw(*oid)) {
        return fail(QStringLiteral("no contact %1").arg(*oid), kExitFailed);
    }
    return context.db.deleteRecord(*oid)
               ? kExitOk
               : fail(QStringLiteral("contact %1 cannot be deleted").arg(*oid), kExitFailed);
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
