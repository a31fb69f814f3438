#pragma once

#include <QList>
#include <QStringList>
#include <memory>
#include <optional>

#include "platform/objectstore.h"
#include "store/contacts/categoriesdbmanager.h"
#include "store/record/contactrecord.h"

namespace kontavo {

class Locale;

// The open "Contacts Database" with the categories database that opens and
// closes with it: reading, creating, updating and deleting contact records
// with the category reference counts kept in step. A change of a record and
// of its categories' counts commits as one batch, so a crash leaves both or
// neither. Knows nothing of the index (see ContactManager).
//
// UI thread only; `store` and `locale` must outlive it.
class ContactsDatabase {
public:
    static QString databaseName() { return QStringLiteral("Contacts Database"); }

    ContactsDatabase(ObjectStore& store, const Locale& locale);
    ContactsDatabase(const ContactsDatabase&) = delete;
    ContactsDatabase& operator=(const ContactsDatabase&) = delete;

    // Opens the contacts database in database order (creating it when
    // missing) with `notify` as its change notification receiver (none when
    // empty), then the categories database. False, with both closed, when
    // either cannot be opened.
    bool open(DbNotifyFn notify = {});
    void close();
    bool isOpen() const { return m_db != nullptr; }
    Oid oid() const { return m_db ? m_db->oid() : 0; }

    ObjectStore& store() { return m_store; }
    // The open handle. Precondition: isOpen().
    ObjectDatabase& handle() { return *m_db; }
    CategoriesDBManager& categories() { return m_categories; }
    std::optional<DbInfo> info();

    // Every property of record `oid`, as stored.
    std::optional<DbRecord> readRaw(Oid oid);
    // Record `oid` into a fresh `record`: every property (the notes blob as
    // stored), or only `tags`.
    bool readRecord(Oid oid, ContactRecord& record);
    bool readRecord(Oid oid, const QList<PropTag>& tags, ContactRecord& record);

    // Writes a new record with Oid 0 and stores its Oid in `record`, then
    // adds a reference to each of its categories. The notes are written from
    // record.notesBlob when `notesRebuilt` (the caller rebuilt them).
    bool createRecord(ContactRecord& record, bool notesRebuilt = true);
    // Moves the category references from the stored mask to record's, then
    // writes every property of `record` (empty ones as deletions).
    bool updateRecord(const ContactRecord& record, bool notesRebuilt = true);
    // Releases the references of the stored mask, then deletes the record.
    bool deleteRecord(Oid oid);
    // Writes only the preferred item; 0 deletes the property.
    bool writePreferredItem(Oid oid, uint32_t tag);

    // The distinct non-empty companies in the order of the user's locale,
    // read through a second handle sorted by Company. nullopt when a read fails.
    std::optional<QStringList> companyNames();

private:
    std::optional<QByteArray> storedMask(Oid oid);

    ObjectStore& m_store;
    std::unique_ptr<ObjectDatabase> m_db;
    CategoriesDBManager m_categories;
};

}  // namespace kontavo
