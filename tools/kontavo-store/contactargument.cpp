#include "contactargument.h"

#include "store/contacts/contactsdatabase.h"
#include "storeoutput.h"

namespace kontavo {

std::optional<DbRecord> contactArgument(StoreContext& context, const QString& text, int& status) {
    const std::optional<Oid> oid = oidArgument(text);
    if (!oid) {
        status = kExitUsage;
        return std::nullopt;
    }
    std::optional<DbRecord> read = context.db.readRaw(*oid);
    if (!read) {
        status = fail(QStringLiteral("no contact %1").arg(*oid), kExitFailed);
    }
    return read;
}

QByteArray blobProperty(const DbRecord& read, PropTag tag) {
    for (const PropValue& value : read.props) {
        if (value.tag() == tag && !value.isNotFound()) {
            return value.toBlob();
        }
    }
    return QByteArray();
}

}  // namespace kontavo
