// show OID: every property, the user note and the extended properties.
#include "contactargument.h"
#include "contactprinter.h"
#include "store/contacts/contactsdatabase.h"
#include "storecommand.h"
#include "storeoutput.h"

namespace kontavo {

namespace {

int runShow(StoreContext& context, const CommandArgs& args) {
    int status = kExitOk;
    const std::optional<DbRecord> read = contactArgument(context, args.positional[0], status);
    if (!read) {
        return status;
    }
    const QByteArray mask = blobProperty(*read, kTagCategoryMask);
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
