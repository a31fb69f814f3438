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
      m_propsMemory(m_propsRegion),
      m_propsStore(m_propsMemory),
      m_indexStore(m_indexRegion) {}

IndexFiles::~IndexFiles() {
    close();
}

// Nothing is copied before both files passed their checks: a refused index
// is rebuilt, and its copy would only be waited for.
IndexFiles::LoadResult IndexFiles::load() {
    close();
    const IndexCheck index = checkIndex();
    LoadResult result = LoadResult::Usable;
    if (!checkProps()) {
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
    startLoads();
    m_open = true;
    return result;
}

// A region another process holds is used as it is. Otherwise the file's
// header tells what the loaded store would.
IndexFiles::IndexCheck IndexFiles::checkIndex() {
    if (!m_indexRegion.isHeld()) {
        return checkIndexFile();
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
    m_indexFile = std::make_shared<StoreFile>(m_indexRegion.location().hostPath);
    const StoreFile& file = *m_indexFile;
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

// The property store's chains are walked on a mapping of its file: the same
// check as on the region, without waiting for the copy.
bool IndexFiles::checkProps() {
    if (m_propsRegion.isHeld()) {
        return loaded(m_propsRegion.load(PropsStore::kHeaderBytes)) && m_propsStore.open();
    }
    m_propsFile = std::make_shared<StoreFile>(m_propsRegion.location().hostPath);
    return m_propsMemory.stage(*m_propsFile) && m_propsStore.open();
}

// Each region is filled from the file that was checked, even when the file
// has been replaced since.
void IndexFiles::startLoads() {
    if (m_indexFile) {
        m_indexLoad = loadInBackground(m_indexRegion, kIndexFile, std::move(m_indexFile),
                                       indexlayout::kHeaderBytes);
    }
    if (m_propsFile) {
        m_propsLoad = loadInBackground(m_propsRegion, kPropsFile, std::move(m_propsFile),
                                       PropsStore::kHeaderBytes);
    }
}

std::future<MappedStore::LoadResult> IndexFiles::loadInBackground(MappedStore& region,
                                                                  const char* file,
                                                                  std::shared_ptr<StoreFile> source,
                                                                  uint32_t minimumSize) {
    return std::async(std::launch::async,
                      [&region, file, source = std::move(source), minimumSize, hook = m_loadHook] {
                          if (hook) {
                              hook(file);
                          }
                          return region.load(minimumSize, *source);
                      });
}

// The region may have been taken by another process since the file was
// checked: its store objects are then opened again by the next refresh().
void IndexFiles::awaitIndex() {
    if (!m_indexLoad.valid()) {
        return;
    }
    const MappedStore::LoadResult result = m_indexLoad.get();
    if (!loaded(result) || !m_indexStore.open()) {
        close();
        return;
    }
    if (result == MappedStore::LoadResult::Attached) {
        m_knownChange = changeCountOf(m_indexRegion) + 1;
    }
}

// The property store moves over to its region once the copy has ended
// (waiting for it when `wait`). Its free-block map, made from the file, holds
// for the region when the region was filled from that file; one another
// process filled first may hold that process's changes, so the store is
// opened on it again.
void IndexFiles::awaitProps(bool wait) {
    if (!m_propsLoad.valid() ||
        (!wait && m_propsLoad.wait_for(std::chrono::seconds(0)) != std::future_status::ready)) {
        return;
    }
    const MappedStore::LoadResult result = m_propsLoad.get();
    m_propsMemory.useRegion();
    if (!loaded(result) || (result == MappedStore::LoadResult::Attached && !m_propsStore.open())) {
        close();
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
    for (auto* load : {&m_indexLoad, &m_propsLoad}) {
        if (load->valid()) {
            load->wait();
            *load = {};
        }
    }
    m_indexFile.reset();
    m_propsFile.reset();
    m_propsMemory.release();
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
    awaitIndex();
    awaitProps(true);
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

// Once another process changed the stores, the file's bytes no longer tell:
// the property store waits for its region before it is opened again.
bool IndexFiles::refresh() {
    awaitProps(false);
    awaitIndex();
    if (!m_open) {
        return false;
    }
    const uint32_t current = changeCount();
    if (current == m_knownChange) {
        return true;
    }
    awaitProps(true);
    if (!m_open) {
        return false;
    }
    m_knownChange = current;
    m_open = m_propsStore.open() && m_indexStore.open();
    return m_open;
}

}  // namespace kontavo
