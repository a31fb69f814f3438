#include "store/contacts/contactsdatabase.h"

#include "store/contacts/contactprops.h"
#include "store/record/contactfields.h"

namespace kontavo {

ContactsDatabase::ContactsDatabase(ObjectStore& store, const Locale& locale)
    : m_store(store), m_categories(store, locale) {}

bool ContactsDatabase::open(DbNotifyFn notify) {
    DbOpenOptions options;
    options.notify = std::move(notify);
    options.createIfMissing = true;
    m_db = m_store.open(databaseName(), options);
    if (!m_db || !m_categories.open()) {
        close();
        return false;
    }
    return true;
}

void ContactsDatabase::close() {
    m_categories.close();
    m_db.reset();
}

std::optional<DbInfo> ContactsDatabase::info() {
    return m_db ? m_db->info() : std::nullopt;
}

std::optional<DbRecord> ContactsDatabase::readRaw(Oid oid) {
    if (!m_db || oid == 0 || !m_db->seekOid(oid)) {
        return std::nullopt;
    }
    return m_db->readAll();
}

bool ContactsDatabase::readRecord(Oid oid, ContactRecord& record) {
    const std::optional<DbRecord> read = readRaw(oid);
    if (!read) {
        return false;
    }
    record = ContactRecord();
    applyContactProps(*read, record);
    return true;
}

bool ContactsDatabase::readRecord(Oid oid, const QList<PropTag>& tags, ContactRecord& record) {
    if (!m_db || oid == 0 || !m_db->seekOid(oid)) {
        return false;
    }
    const std::optional<DbRecord> read = m_db->read(tags);
    if (!read) {
        return false;
    }
    record = ContactRecord();
    applyContactProps(*read, record);
    return true;
}

std::optional<QByteArray> ContactsDatabase::storedMask(Oid oid) {
    if (!m_db->seekOid(oid)) {
        return std::nullopt;
    }
    const std::optional<DbRecord> read = m_db->read({kTagCategoryMask});
    if (!read) {
        return std::nullopt;
    }
    const PropValue& mask = read->props.first();
    return mask.isNotFound() ? QByteArray() : mask.toBlob();
}

bool ContactsDatabase::createRecord(ContactRecord& record, bool notesRebuilt) {
    if (!m_db) {
        return false;
    }
    const PropList props = contactWriteProps(record, ContactWrite::Create, notesRebuilt);
    Oid made = 0;
    const bool committed = m_store.runBatch([&] {
        made = m_db->write(0, props);
        return made != 0 && m_categories.addRefs(record.categoryMask);
    });
    if (!committed) {
        return false;
    }
    record.oid = made;
    return true;
}

bool ContactsDatabase::updateRecord(const ContactRecord& record, bool notesRebuilt) {
    if (!m_db || record.oid == 0) {
        return false;
    }
    const PropList props = contactWriteProps(record, ContactWrite::Update, notesRebuilt);
    return m_store.runBatch([&] {
        const std::optional<QByteArray> old = storedMask(record.oid);
        return old && m_categories.moveRefs(*old, record.categoryMask) &&
               m_db->write(record.oid, props) != 0;
    });
}

bool ContactsDatabase::deleteRecord(Oid oid) {
    if (!m_db || oid == 0) {
        return false;
    }
    return m_store.runBatch([&] {
        const std::optional<QByteArray> old = storedMask(oid);
        return old && m_categories.releaseRefs(*old) && m_db->deleteRecord(oid);
    });
}

bool ContactsDatabase::writePreferredItem(Oid oid, uint32_t tag) {
    if (!m_db || oid == 0) {
        return false;
    }
    const PropValue value = tag != 0 ? PropValue::int32(kTagPreferredItem, int32_t(tag))
                                     : PropValue::deletion(kTagPreferredItem);
    return m_db->write(oid, {value}) != 0;
}

std::optional<QStringList> ContactsDatabase::companyNames() {
    const PropTag company = fieldInfo(ContactField::Company).tag();
    DbOpenOptions options;
    options.sortTag = company;
    const std::unique_ptr<ObjectDatabase> byCompany =
        m_db ? m_store.open(databaseName(), options) : nullptr;
    if (!byCompany) {
        return std::nullopt;
    }
    QStringList names;
    for (bool more = byCompany->seekFirst(); more; more = byCompany->seekNext()) {
        const std::optional<DbRecord> read = byCompany->read({company});
        if (!read) {
            if (byCompany->lastError() == DbError::NotFound) {
                continue;
            }
            return std::nullopt;
        }
        const PropValue& value = read->props.first();
        // Records without a company come last in this order.
        if (value.isNotFound()) {
            break;
        }
        if (!value.toString().isEmpty() && (names.isEmpty() || names.last() != value.toString())) {
            names.append(value.toString());
        }
    }
    if (!byCompany->atEnd() || byCompany->lastError() == DbError::NoMoreItems) {
        return names;
    }
    return std::nullopt;
}

}  // namespace kontavo
