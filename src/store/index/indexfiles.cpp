#include "store/index/indexfiles.h"

#include <QFile>

#include "platform/devicefs.h"
#include "platform/sqliteregistry.h"
#include "store/index/fileflag.h"
#include "store/index/indexheap.h"
#include "store/index/indexlayout.h"

namespace kontavo {

namespace {

bool loaded(MappedStore::LoadResult result) {
    return result == MappedStore::LoadResult::Attached || result == MappedStore::LoadResult::Loaded;
}

StoreLocation locationOf(const DeviceFs& fs, const char* file) {
    return StoreLocation::inTemporaryFolder(fs, QString::fromLatin1(file));
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

IndexFiles::LoadResult IndexFiles::load() {
    close();
    LoadResult result = LoadResult::Usable;
    if (!loaded(m_propsRegion.load(PropsStore::kHeaderBytes)) || !m_propsStore.open()) {
        result = LoadResult::PropsUnusable;
    } else if (m_propsStore.isBusy()) {
        result = LoadResult::Busy;
    } else if (!loaded(m_indexRegion.load(indexlayout::kHeaderBytes)) || !m_indexStore.open()) {
        result = LoadResult::IndexUnusable;
    } else if (m_indexStore.records().size() != m_propsStore.count()) {
        result = LoadResult::Mismatch;
    }
    if (result != LoadResult::Usable) {
        close();
        return result;
    }
    m_open = true;
    markCurrent();
    return result;
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
    m_propsRegion.stopFlush();
    m_indexRegion.stopFlush();
}

uint32_t IndexFiles::changeCount() const {
    if (!m_open) {
        return 0;
    }
    CheckedBytes bytes(const_cast<MappedStore&>(m_indexRegion));
    const IndexHeap heap(bytes);
    return heap.spaceWord(indexlayout::kSpaceChangeAt);
}

bool IndexFiles::refresh() {
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
