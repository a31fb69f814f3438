#include "store/index/indexfiles.h"

#include <QFile>

#include "platform/devicefs.h"
#include "platform/sqliteregistry.h"
#include "store/index/fileflag.h"
#include "store/index/indexheap.h"
#include "store/index/indexlayout.h"
#include "store/index/storefile.h"

namespace kontavo {

namespace {

bool loaded(MappedStore::LoadResult result) {
    return result == MappedStore::LoadResult::Attached || result == MappedStore::LoadResult::Loaded;
}

StoreLocation locationOf(const DeviceFs& fs, const char* file) {
    return StoreLocation::inTemporaryFolder(fs, QString::fromLatin1(file));
}

// The change count kept in an index store's space table.
uint32_t changeCountOf(MappedStore& region) {
    CheckedBytes bytes(region);
    return IndexHeap(bytes).spaceWord(indexlayout::kSpaceChangeAt);
}

StoreWriter::Done flagClearer(const DeviceFs& fs, const char* file) {
    return clearFileFlagWhenWritten(SqliteRegistry::fileInRoot(fs.root()),
                                    QString::fromLatin1(file));
}

}  // namespace

IndexFiles::IndexFiles(const DeviceFs& fs)
    : m_propsRegion(locationOf(fs, kPropsFile), flagClearer(fs, kPropsFile)),
      m_indexRegion(locationOf(fs, kIndexFile), flagClearer(fs, kIndexFile)),
      m_propsStore(m_propsRegion),
      m_indexStore(m_indexRegion) {}

IndexFiles::~IndexFiles() {
    close();
}

// The index store is looked at first, so that its copy (when one is needed)
// runs while the property store loads.
IndexFiles::LoadResult IndexFiles::load() {
    close();
    const IndexCheck index = loadIndex();
    LoadResult result = LoadResult::Usable;
    if (!loaded(m_propsRegion.load(PropsStore::kHeaderBytes)) || !m_propsStore.open()) {
        result = LoadResult::PropsUnusable;
    } else if (m_propsStore.isBusy()) {
        result = LoadResult::Busy;
    } else if (index.result != LoadResult::Usable) {
        result = index.result;
    } else if (index.records != m_propsStore.count()) {
        result = LoadResult::Mismatch;
    }
    if (result != LoadResult::Usable) {
        close();
        return result;
    }
    m_open = true;
    return result;
}

// A region another process holds is used as it is. Otherwise the file's
// header tells what the loaded store would, and the copy into the region
// goes on in the background.
IndexFiles::IndexCheck IndexFiles::loadIndex() {
    if (!m_indexRegion.isHeld()) {
        const IndexCheck checked = checkIndexFile();
        if (checked.result == LoadResult::Usable) {
            m_indexLoad = std::async(std::launch::async, [this] {
                return m_indexRegion.load(indexlayout::kHeaderBytes);
            });
        }
        return checked;
    }
    if (!loaded(m_indexRegion.load(indexlayout::kHeaderBytes)) || !m_indexStore.open()) {
        return {LoadResult::IndexUnusable, 0};
    }
    m_knownChange = changeCountOf(m_indexRegion);
    return {LoadResult::Usable, m_indexStore.recordCount()};
}

// The checks IndexStore::open() and recordCount() make, on the file's bytes.
IndexFiles::IndexCheck IndexFiles::checkIndexFile() {
    using namespace indexlayout;
    const StoreFile file(m_indexRegion.location().hostPath);
    if (file.state() != StoreFile::State::Valid || file.dataLength() < kHeaderBytes ||
        file.word(kMagicAt) != kMagic || file.word(kVersionAt) != kVersion) {
        return {LoadResult::IndexUnusable, 0};
    }
    const uint32_t map = file.word(kRecordMapAt);
    const uint32_t count = map == 0 ? 0 : file.word(map);
    const bool fits = uint64_t(map) + 4 + 8 * uint64_t(count) <= file.dataLength();
    m_knownChange = file.word(kSpaceTableAt + kSpaceChangeAt);
    return {LoadResult::Usable, fits ? count : 0};
}

// The region may have been taken by another process since the file was
// checked: its store objects are then opened again by the next refresh().
void IndexFiles::awaitIndex() {
    if (!m_indexLoad.valid()) {
        return;
    }
    const MappedStore::LoadResult result = m_indexLoad.get();
    if (!loaded(result) || !m_indexStore.open()) {
        m_open = false;
        m_propsRegion.close();
        m_indexRegion.close();
        return;
    }
    if (result == MappedStore::LoadResult::Attached) {
        m_knownChange = changeCountOf(m_indexRegion) + 1;
    }
}

IndexStore& IndexFiles::index() {
    awaitIndex();
    return m_indexStore;
}

StoreMemory& IndexFiles::indexMemory() {
    awaitIndex();
    return m_indexRegion;
}

// A region another process holds cannot be created anew: it is emptied in
// place, and the other process reloads it (it is told so between programs).
bool IndexFiles::attachOrCreate(MappedStore& store, uint32_t size) {
    if (store.create(size)) {
        return true;
    }
    return store.load(size) == MappedStore::LoadResult::Attached && store.resize(size);
}

bool IndexFiles::create(uint32_t propsBytes) {
    close();
    const bool created = attachOrCreate(m_propsRegion, propsBytes) &&
                         attachOrCreate(m_indexRegion, IndexStore::sizeFor(0));
    // Readers of a region emptied in place must see its change count move on.
    m_open = created;
    const uint32_t previousChange = changeCount();
    if (!created || !m_propsStore.initialise() || !m_indexStore.initialise()) {
        close();
        return false;
    }
    CheckedBytes bytes(m_indexRegion);
    IndexHeap(bytes).setSpaceWord(indexlayout::kSpaceChangeAt, previousChange + 1);
    m_propsStore.setBusy(true);
    markCurrent();
    return true;
}

void IndexFiles::close() {
    if (m_indexLoad.valid()) {
        m_indexLoad.wait();
        m_indexLoad = {};
    }
    m_open = false;
    m_propsRegion.close();
    m_indexRegion.close();
}

void IndexFiles::deleteFiles() {
    close();
    QFile::remove(m_propsRegion.location().hostPath);
    QFile::remove(m_indexRegion.location().hostPath);
}

// A program killed between the starts of the two writes must not leave a
// complete file of an earlier write-back beside its partner written anew: the
// pair would pass for a current index. So both writes stop and both files go
// before either is written again.
void IndexFiles::startFlush() {
    awaitIndex();
    stopFlush();
    QFile::remove(m_propsRegion.location().hostPath);
    QFile::remove(m_indexRegion.location().hostPath);
    m_propsRegion.startFlush();
    m_indexRegion.startFlush();
}

bool IndexFiles::writeBack() {
    startFlush();
    m_propsRegion.finishFlush();
    m_indexRegion.finishFlush();
    return m_propsRegion.lastFlushComplete() && m_indexRegion.lastFlushComplete();
}

void IndexFiles::stopFlush() {
    awaitIndex();
    m_propsRegion.stopFlush();
    m_indexRegion.stopFlush();
}

uint32_t IndexFiles::changeCount() {
    awaitIndex();
    if (!m_open) {
        return 0;
    }
    return changeCountOf(m_indexRegion);
}

bool IndexFiles::refresh() {
    awaitIndex();
    if (!m_open) {
        return false;
    }
    const uint32_t current = changeCount();
    if (current == m_knownChange) {
        return true;
    }
    m_knownChange = current;
    m_open = m_propsStore.open() && m_indexStore.open();
    return m_open;
}

}  // namespace kontavo
