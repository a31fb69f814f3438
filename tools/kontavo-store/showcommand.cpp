// show OID: every property, the user note and the extended properties.
#include "contactprinter.h"
#include "store/contacts/contactsdatabase.h"
#include "storecommand.h"
#include "storeoutput.h"

namespace kontavo {

namespace {

int runShow(StoreContext& context, const CommandArgs& args) {
    const std::optional<Oid> oid = oidArgument(args.positional[0]);
    if (!oid) {
        return kExitUsage;
    }
    const std::optional<DbRecord> read = context.db.readRaw(*oid);
    if (!read) {
        return fail(QStringLiteral("no contact %1").arg(*oid), kExitFailed);
    }
    QByteArray mask;
    for (const PropValue& value : read->props) {
        if (value.tag() == kTagCategoryMask) {
            mask = value.toBlob();
        }
    }
    printOut(describeRecord(*read, context.db.categories().namesOfMask(mask), context.locale));
    return kExitOk;
}

}  // namespace

StoreCommandInfo showCommand() {
    return {QStringLiteral("show"),
            QStringLiteral("show OID"),
            QStringLiteral("every property, the user note, the extended properties"),
            1,
            1,
            {},
            {},
            runShow};
}

}  // namespace kontavo
