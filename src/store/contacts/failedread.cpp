#include "store/contacts/failedread.h"

#include "diag/errorlog.h"

namespace kontavo {

bool passOverFailedRead(const ObjectDatabase& db) {
    switch (db.lastError()) {
        case DbError::NotFound:
            return true;
        case DbError::InvalidData:
            logError(QStringLiteral("Record %1 of \"%2\" cannot be decoded: skipped")
                         .arg(db.currentOid())
                         .arg(db.name()),
                     "ContactsDatabase", "", __LINE__);
            return true;
        default:
            return false;
    }
}

}  // namespace kontavo
