#pragma once

// An in-memory ContactIndex for the contact manager's tests: it keeps the
// indexed contacts in a map, counts what it is asked to do, and can be told
// to fail.
#include <QStringList>
#include <functional>
#include <map>

#include "store/contacts/contactindex.h"

namespace kontavo::test {

class FakeContactIndex final : public ContactIndex {
public:
    OpenResult open(const DbInfo& database) override;
    void close() override;
    void deleteFiles() override { contacts.clear(); }

    bool insert(const IndexedContact& contact, uint64_t databaseTime) override;
    bool update(const IndexedContact& contact, uint64_t databaseTime) override;
    bool remove(Oid oid, uint64_t databaseTime) override;
    bool recordTime(uint64_t databaseTime) override;
    bool attach() override;

    bool readExtended(Oid oid, ExtendedProperties& out) override;
    QString pictureName(Oid oid) override;
    std::optional<uint32_t> storedChecksum(Oid oid) override;
    QList<Oid> allOids() override;

    bool rebuild(ContactReader& reader, ProgressSink* progress, bool userRequested) override;
    SyncResult synchronize(ContactReader& reader, ProgressSink* progress) override;
    bool rebuildWords(ContactReader& reader, ContactObserver* observer) override;

    void stopFlush() override { calls.append("stopFlush"); }
    void startFlush() override { calls.append("startFlush"); }

    QList<Oid> findWords(const QString& text, Narrowing narrowing) override;
    QList<Oid> findGroupKey(const QString&, Narrowing) override { return {}; }

    // How many times an operation was called ("insert", "rebuild", ...).
    int count(const QString& operation) const { return int(calls.count(operation)); }

    OpenResult openResult = OpenResult::Rebuild;
    SyncResult syncResult = SyncResult::Done;
    bool failInsert = false;
    bool failUpdate = false;
    bool failRemove = false;
    bool throwOnUpdate = false;  // raises the out-of-memory fatal code
    bool throwOnInsert = false;  // likewise
    bool attachable = true;
    // Runs in the middle of every rebuild, as a progress window's event
    // loop would.
    std::function<void()> duringRebuild;
    std::map<Oid, IndexedContact> contacts;
    QStringList calls;
    uint64_t lastDatabaseTime = 0;
    bool lastRebuildUserRequested = false;
};

}  // namespace kontavo::test
