#pragma once

// A contact index in memory for the list's tests over a real contact
// manager: it keeps the indexed contacts, finds words by prefix of their
// lower-cased names and answers group keys from a table the test fills.
#include <QHash>
#include <map>

#include "store/contacts/contactindex.h"

namespace kontavo::test {

class ListFakeIndex final : public ContactIndex {
public:
    OpenResult open(const DbInfo&) override { return OpenResult::Rebuild; }
    void close() override {}
    void deleteFiles() override { contacts.clear(); }
    bool insert(const IndexedContact& contact, uint64_t) override;
    bool update(const IndexedContact& contact, uint64_t) override { return insert(contact, 0); }
    bool remove(Oid oid, uint64_t) override { return contacts.erase(oid) > 0; }
    bool recordTime(uint64_t) override { return true; }
    bool attach() override { return true; }
    bool readExtended(Oid oid, ExtendedProperties& out) override;
    QString pictureName(Oid) override { return {}; }
    std::optional<uint32_t> storedChecksum(Oid oid) override;
    QList<Oid> allOids() override;
    bool rebuild(ContactReader& reader, ProgressSink*, bool) override;
    SyncResult synchronize(ContactReader&, ProgressSink*) override { return SyncResult::Done; }
    bool rebuildWords(ContactReader&, ContactObserver*) override { return true; }
    void stopFlush() override {}
    void startFlush() override {}
    QList<Oid> findWords(const QString& text, Narrowing) override;
    QList<Oid> findGroupKey(const QString& key, Narrowing) override { return groupKeys.value(key); }

    std::map<Oid, IndexedContact> contacts;
    QHash<QString, QList<Oid>> groupKeys;
};

}  // namespace kontavo::test
