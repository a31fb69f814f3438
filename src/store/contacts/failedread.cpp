#include "store/contacts/failedread.h"

#include "diag/errorlog.h"

namespace kontavo {

bool passOverFailedRead(const ObjectDatabase& db) {
    switch (db.lastError()) {
        case DbError::NotFound:
            return true;
        case DbError::InvalidData:
            logUndecodableRecord(db, db.currentOid());
            return true;
        default:
            return false;
    }
}

void logUndecodableRecord(const ObjectDatabase& db, Oid oid) {
    logError(
        QStringLiteral("Record %1 of \"%2\" cannot be decoded: skipped").arg(oid).arg(db.name()),
        "ContactsDatabase", "", __LINE__);
}

}  // namespace kontavo
