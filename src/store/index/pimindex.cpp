#include "store/index/pimindex.h"

#include "diag/resources.h"
#include "platform/locale.h"
#include "store/contacts/contactobserver.h"
#include "store/contacts/operationgate.h"
#include "store/index/collectorthread.h"
#include "store/index/contactwords.h"
#include "store/index/indexbuilder.h"
#include "store/index/indexchecker.h"
#include "store/index/indexcollector.h"
#include "store/index/indexrebuild.h"
#include "store/index/indexsynchronizer.h"
#include "store/index/progressmeter.h"
#include "store/index/propsrecord.h"
#include "store/settings/settingsstore.h"

namespace kontavo {

namespace {

constexpr int kReindexTextId = 42100;  // "Reindex database"
constexpr int kRebuildSteps = 100;
// Words rebuild progress: 0, then up to kWordSteps as records are read, then kWordsDone.
constexpr int kWordSteps = 18;
constexpr int kWordsDone = 20;

QList<Oid> toList(const std::vector<Oid>& oids) {
    return QList<Oid>(oids.begin(), oids.end());
}

std::optional<int> listOf(ContactIndex::Narrowing narrowing) {
    // Every contact of the trees is in list 0: narrowing to it changes nothing.
    return narrowing == ContactIndex::Narrowing::List1 ? std::optional<int>(1) : std::nullopt;
}

QString staleText(uint64_t header, uint64_t database) {
    return QString::asprintf(
        "PropsStore::IsNeedInspect: lastModTime diffs(mHeader time: %x %x db_time: %x %x)",
        uint32_t(header >> 32), uint32_t(header), uint32_t(database >> 32), uint32_t(database));
}

}  // namespace

PimIndex::PimIndex(const DeviceFs& fs, SettingsStore& settings, OperationGate* gate,
                   const Locale& locale)
    : m_fs(fs),
      m_settings(settings),
      m_gate(gate),
      m_locale(locale),
      m_files(fs),
      m_groups(LetterGroupSet::loadActiveSet(settings, locale)) {}

PimIndex::~PimIndex() {
    close();
}

ContactIndex::OpenResult PimIndex::open(const DbInfo& database) {
    close();
    m_damaged = false;
    m_groups = LetterGroupSet::loadActiveSet(m_settings, m_locale);
    if (const auto loaded = m_files.load(); loaded != IndexFiles::LoadResult::Usable) {
        m_diagnostic = QStringLiteral("index files unusable (%1)").arg(int(loaded));
        return OpenResult::Rebuild;
    }
    if ((m_gate == nullptr || m_gate->mayProceed(0, 0)) && fileFlagsSet()) {
        m_diagnostic = QStringLiteral("index files marked as possibly incomplete");
        m_files.close();
        return OpenResult::Rebuild;
    }
    const PropsStore& props = m_files.props();
    if (props.lastModified() != database.lastModified || props.count() != database.recordCount) {
        m_diagnostic = staleText(props.lastModified(), database.lastModified);
        return OpenResult::Stale;
    }
    m_diagnostic.clear();
    return OpenResult::Current;
}

uint64_t PimIndex::databaseTime() {
    return readable() ? m_files.props().lastModified() : 0;
}

void PimIndex::close() {
    if (m_dirty && m_files.isOpen()) {
        m_files.startFlush();
    }
    m_dirty = false;
    m_files.close();
}

void PimIndex::deleteFiles() {
    m_dirty = false;
    m_files.deleteFiles();
}

bool PimIndex::fileFlagsSet() const {
    return m_settings.getFileFlag(QString::fromLatin1(IndexFiles::kIndexFile)) ||
           m_settings.getFileFlag(QString::fromLatin1(IndexFiles::kPropsFile));
}

void PimIndex::setFileFlags() {
    m_settings.setFileFlag(QString::fromLatin1(IndexFiles::kIndexFile), true);
    m_settings.setFileFlag(QString::fromLatin1(IndexFiles::kPropsFile), true);
}

bool PimIndex::readable() {
    return m_files.isOpen() && m_files.refresh();
}

// One change of both stores: busy flag set, the change, the database time
// recorded, busy flag clear. A failed change keeps the flag set.
bool PimIndex::change(uint64_t databaseTime, const std::function<bool()>& apply) {
    if (m_damaged || !readable()) {
        return false;
    }
    m_files.stopFlush();
    PropsStore& props = m_files.props();
    props.setBusy(true);
    m_dirty = true;
    if (!apply()) {
        m_damaged = true;
        return false;
    }
    props.setLastModified(databaseTime);
    props.setBusy(false);
    m_files.markCurrent();
    return true;
}

SearchWords PimIndex::wordsOf(const IndexedContact& contact) const {
    return contactWords(contact, &m_groups, m_locale);
}

bool PimIndex::fileWords(Oid oid, const IndexedContact& contact) {
    IndexStore& index = m_files.index();
    const SearchWords words = wordsOf(contact);
    bool filed = true;
    for (const QString& word : words.plainWords()) {
        filed = index.insertWord(IndexStore::Tree::Words, word, oid) && filed;
    }
    for (const QString& word : words.groupWords()) {
        filed = index.insertWord(IndexStore::Tree::Groups, word, oid) && filed;
    }
    return filed;
}

bool PimIndex::insertRecord(const IndexedContact& contact) {
    const Oid oid = contact.record.oid;
    const auto offset = m_files.props().insert(PropsRecord::encode(contact.record.extended));
    return offset && m_files.index().addContact(oid, *offset) && fileWords(oid, contact);
}

bool PimIndex::rewriteRecord(uint32_t offset, const IndexedContact& contact) {
    const Oid oid = contact.record.oid;
    IndexStore& index = m_files.index();
    if (!m_files.props().rewrite(offset, PropsRecord::encode(contact.record.extended))) {
        return false;
    }
    // False also for a contact without words in a tree: the fault flag tells.
    index.removeWords(IndexStore::Tree::Words, oid);
    index.removeWords(IndexStore::Tree::Groups, oid);
    return !index.hasFault() && fileWords(oid, contact);
}

bool PimIndex::removeRecord(Oid oid) {
    const auto offset = m_files.index().recordOf(oid);
    if (!offset) {
        return true;  // nothing to take out
    }
    return m_files.index().removeContact(oid) && m_files.props().remove(*offset);
}

// Inserting a contact the index holds already replaces it, and updating one
// it lacks adds it: either way the index ends up holding the contact once.
bool PimIndex::insert(const IndexedContact& contact, uint64_t databaseTime) {
    if (contact.record.oid == 0) {
        return false;
    }
    return change(databaseTime, [&] {
        const auto offset = m_files.index().recordOf(contact.record.oid);
        return offset ? rewriteRecord(*offset, contact) : insertRecord(contact);
    });
}

bool PimIndex::update(const IndexedContact& contact, uint64_t databaseTime) {
    return insert(contact, databaseTime);
}

bool PimIndex::remove(Oid oid, uint64_t databaseTime) {
    return change(databaseTime, [&] { return removeRecord(oid); });
}

bool PimIndex::recordTime(uint64_t databaseTime) {
    return change(databaseTime, [] { return true; });
}

bool PimIndex::attach() {
    close();
    m_damaged = false;
    m_groups = LetterGroupSet::loadActiveSet(m_settings, m_locale);
    const auto loaded = m_files.load();
    m_diagnostic = loaded == IndexFiles::LoadResult::Usable
                       ? QString()
                       : QStringLiteral("index files unusable (%1)").arg(int(loaded));
    return loaded == IndexFiles::LoadResult::Usable;
}

bool PimIndex::writeBack() {
    if (!m_files.isOpen()) {
        return false;
    }
    m_dirty = false;
    return m_files.writeBack();
}

std::optional<uint64_t> PimIndex::currentTo() {
    return readable() ? std::optional(m_files.props().lastModified()) : std::nullopt;
}

std::optional<uint32_t> PimIndex::settledMark() {
    if (!readable() || m_files.props().isBusy()) {
        return std::nullopt;
    }
    return m_files.changeCount();
}

std::optional<QByteArray> PimIndex::storedRecord(Oid oid) {
    if (!readable()) {
        return std::nullopt;
    }
    const auto offset = m_files.index().recordOf(oid);
    return offset ? m_files.props().read(*offset) : std::nullopt;
}

bool PimIndex::readExtended(Oid oid, ExtendedProperties& out) {
    const auto record = storedRecord(oid);
    const auto decoded = record ? PropsRecord::decode(*record) : std::nullopt;
    if (!decoded) {
        return false;
    }
    out = *decoded;
    return true;
}

QString PimIndex::pictureName(Oid oid) {
    const auto record = storedRecord(oid);
    return record ? PropsRecord::imageOf(*record).value_or(QString()) : QString();
}

std::optional<uint32_t> PimIndex::storedChecksum(Oid oid) {
    const auto record = storedRecord(oid);
    return record ? PropsRecord::checksumOf(*record) : std::nullopt;
}

QList<Oid> PimIndex::allOids() {
    return readable() ? toList(m_files.index().oids(IndexStore::kAllContacts)) : QList<Oid>();
}

void PimIndex::stopFlush() {
    m_files.stopFlush();
}

void PimIndex::startFlush() {
    if (m_files.isOpen()) {
        m_files.startFlush();
        m_dirty = false;
    }
}

QList<Oid> PimIndex::findWords(const QString& text, Narrowing narrowing) {
    if (!readable()) {
        return {};
    }
    m_files.index().findAll(IndexStore::Tree::Words, splitWords(text.trimmed()), m_found,
                            listOf(narrowing));
    return toList(m_found);
}

QList<Oid> PimIndex::findGroupKey(const QString& key, Narrowing narrowing) {
    if (!readable()) {
        return {};
    }
    const QString codes = key.trimmed().toLower();
    const QStringList prefixes = codes.isEmpty() ? QStringList() : QStringList{codes};
    m_files.index().findAll(IndexStore::Tree::Groups, prefixes, m_found, listOf(narrowing));
    return toList(m_found);
}

bool PimIndex::rebuild(ContactReader& reader, ProgressSink* progress, bool userRequested) {
    if (userRequested) {
        setFileFlags();
    }
    // The index being replaced is not written back (a write-back under way
    // is stopped): the rebuilt one takes the place of its files.
    m_dirty = false;
    m_files.stopFlush();
    m_files.close();
    m_damaged = false;
    const auto database = reader.databaseInfo();
    if (!database) {
        return false;
    }
    IndexCollector collector(&m_groups, m_locale);
    {
        ProgressMeter meter(progress, loadString(kReindexTextId), kRebuildSteps);
        CollectorThread collecting(collector);
        const bool read =
            reader.readAllForIndex([&](IndexedContact&& contact, int done, int total) {
                collecting.add(std::move(contact));
                meter.reach(done, total);
            });
        collecting.end();
        if (!read) {
            return false;
        }
        collector.finish();
    }
    m_dirty = true;
    if (!IndexRebuild::storeAll(m_files, collector, database->lastModified)) {
        m_damaged = true;
        return false;
    }
    return true;
}

ContactIndex::SyncResult PimIndex::synchronize(ContactReader& reader, ProgressSink* progress) {
    if (m_damaged || !readable()) {
        return SyncResult::Failed;
    }
    return IndexSynchronizer(*this, reader, databaseTime()).run(progress, [this](uint64_t time) {
        return change(time, [] { return true; });
    });
}

bool PimIndex::rebuildWords(ContactReader& reader, ContactObserver* observer) {
    if (m_damaged || !readable()) {
        return false;
    }
    setFileFlags();
    m_groups = LetterGroupSet::loadActiveSet(m_settings, m_locale);
    const std::vector<Oid> indexed = m_files.index().oids(IndexStore::kAllContacts);
    const auto report = [observer](int step) {
        if (observer != nullptr) {
            observer->onIndexProgress(step);
        }
    };
    report(0);
    IndexCollector collector(&m_groups, m_locale, false);
    CollectorThread collecting(collector);
    int reported = 0;
    const bool read = reader.readAllForIndex([&](IndexedContact&& contact, int done, int total) {
        if (std::binary_search(indexed.begin(), indexed.end(), contact.record.oid)) {
            collecting.add(std::move(contact));
        }
        const int step = total <= 0 ? kWordSteps : std::min(kWordSteps, done * kWordSteps / total);
        if (step > reported) {
            reported = step;
            report(step);
        }
    });
    collecting.end();
    if (!read) {
        return false;
    }
    collector.finishWithin(indexed);
    m_files.stopFlush();
    m_dirty = true;
    if (!IndexRebuild::storeWords(m_files, collector)) {
        m_damaged = true;
        return false;
    }
    report(kWordsDone);
    return true;
}

bool PimIndex::checkStores(QString* problem) {
    if (!readable()) {
        if (problem != nullptr) {
            *problem = QStringLiteral("index not open");
        }
        return false;
    }
    return m_files.index().check(problem);
}

}  // namespace kontavo
