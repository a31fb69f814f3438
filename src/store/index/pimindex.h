#pragma once

#include <QString>
#include <functional>

#include "platform/locale.h"
#include "store/contacts/contactindex.h"
#include "store/index/indexfiles.h"
#include "store/index/lettergroupset.h"
#include "store/index/searchwords.h"

namespace kontavo {

class DeviceFs;
class OperationGate;
class SettingsStore;

// The contact index kept in the device's two index files: every contact's
// extended properties in "pim_index2.dat", the word trees of the search in
// "pim_index1.dat". Owned by the contact manager.
//
// The files are shared with other running programs of the device through
// their regions: before every operation the stores are refreshed when
// another process changed them. Changes are bracketed by the busy flag of
// "pim_index2.dat"; a change that fails leaves the flag set and refuses
// further changes, so that the next start rebuilds the index.
//
// UI thread only, except the background write-back of the stores.
class PimIndex final : public ContactIndex {
public:
    // `fs` names the device (index files, registry); `settings` holds the
    // file flags and the ABC letter groups; `gate` (may be null) decides
    // whether the file flags are heeded at open. All must outlive the index.
    PimIndex(const DeviceFs& fs, SettingsStore& settings, OperationGate* gate = nullptr,
             const Locale& locale = Locale::user());
    ~PimIndex() override;  // close()

    OpenResult open(const DbInfo& database) override;
    void close() override;
    void deleteFiles() override;

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

    void stopFlush() override;
    void startFlush() override;

    QList<Oid> findWords(const QString& text, Narrowing narrowing = Narrowing::All) override;
    QList<Oid> findGroupKey(const QString& key, Narrowing narrowing = Narrowing::All) override;

    // Why the last open() did not give Current (for diagnostics and tools);
    // the lastModTime text when the index was stale.
    const QString& lastDiagnostic() const { return m_diagnostic; }
    bool isOpen() const { return m_files.isOpen(); }
    // The two files in their regions (tests hold their loading back).
    IndexFiles& files() { return m_files; }
    // The database's last-modified time the open index holds: that of the
    // last change it took in.
    uint64_t databaseTime();
    // True while changes are waiting for a write-back.
    bool hasPendingFlush() const { return m_dirty; }
    // The letter groups the group words were made with.
    const LetterGroupSet& letterGroups() const { return m_groups; }
    // The words a contact is filed under, as this index makes them.
    SearchWords wordsOf(const IndexedContact& contact) const;
    // Full consistency check of both stores; false with a description.
    bool checkStores(QString* problem);

    // Writes both stores back now and waits for it; false when either file
    // could not be written completely.
    bool writeBack();
    // A mark of the stores' state taken while no change is in progress (by
    // any process); nullopt while one is. Reads made between two equal
    // marks saw one consistent index.
    std::optional<uint32_t> settledMark();
    // The database time the index says it is current to; nullopt when it is
    // not open.
    std::optional<uint64_t> currentTo();

private:
    bool readable();
    bool change(uint64_t databaseTime, const std::function<bool()>& apply);
    bool fileWords(Oid oid, const IndexedContact& contact);
    bool insertRecord(const IndexedContact& contact);
    bool rewriteRecord(uint32_t offset, const IndexedContact& contact);
    bool removeRecord(Oid oid);
    bool fileFlagsSet() const;
    void setFileFlags();
    std::optional<QByteArray> storedRecord(Oid oid);

    const DeviceFs& m_fs;
    SettingsStore& m_settings;
    OperationGate* m_gate;
    const Locale& m_locale;
    IndexFiles m_files;
    LetterGroupSet m_groups;
    QString m_diagnostic;
    std::vector<Oid> m_found;  // the last lookup's result, kept for its capacity
    bool m_dirty = false;
    bool m_damaged = false;
};

}  // namespace kontavo
