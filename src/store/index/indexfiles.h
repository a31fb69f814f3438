#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <future>
#include <memory>

#include "store/index/indexstore.h"
#include "store/index/mappedstore.h"
#include "store/index/propsstore.h"
#include "store/index/stagedmemory.h"
#include "store/index/storefile.h"

namespace kontavo {

class DeviceFs;

// The two index files of the device, each held in its shared region:
// "pim_index1.dat" (IndexStore) and "pim_index2.dat" (PropsStore), with the
// store objects working on them. Loading checks what can be checked without
// the database; the rest is the caller's (ContactIndex rules).
//
// Loading checks each file where it lies (a region another process holds is
// used as it is) and copies it into its region on a background thread:
// "pim_index2.dat" is read from a mapping of its file until its copy is done,
// the first use of the index store waits for its copy, and every change waits
// for both.
//
// UI thread only, except the write-back threads the stores run themselves
// and the background loads. Another process may hold the same regions:
// refresh() makes the store objects take in its changes.
class IndexFiles {
public:
    static constexpr const char* kIndexFile = "pim_index1.dat";
    static constexpr const char* kPropsFile = "pim_index2.dat";

    // The files in the temporary folder of `fs`; each complete write-back
    // clears the file's settings flag in the device's registry.
    explicit IndexFiles(const DeviceFs& fs);
    ~IndexFiles();  // close()
    IndexFiles(const IndexFiles&) = delete;
    IndexFiles& operator=(const IndexFiles&) = delete;

    // Why load() refused the files, for diagnostics.
    enum class LoadResult { Usable, PropsUnusable, Busy, IndexUnusable, Mismatch };
    // Loads both files (or attaches to the regions another process holds)
    // and opens the stores: the property store must be over 27 bytes with
    // magic 1, version 5, intact record chains and its busy flag clear; the
    // index store must have magic 1 and version 5; both must hold the same
    // number of contacts. Anything else closes both. The regions may still
    // be loading when this returns (see props() and index()).
    LoadResult load();
    // Empties both stores: new regions and files when no other process holds
    // them, else the held regions are emptied in place. The property store
    // gets `propsBytes` bytes (PropsStore::sizeFor), its busy flag set.
    bool create(uint32_t propsBytes);
    // Waits for a write-back in progress and releases both regions.
    void close();
    bool isOpen() const { return m_open; }
    // Closes the stores and deletes both files.
    void deleteFiles();

    // Starts writing both stores back to their files in the background,
    // deleting both files first: until a write completes its file is missing
    // or fails the trailer check, never a file of an earlier write-back.
    void startFlush();
    void stopFlush();
    // Writes both stores back and waits for the writes; true when both
    // files were written completely.
    bool writeBack();

    // The property store. While its region loads it reads the file's bytes,
    // which the region is getting: reads need not wait, but a change must
    // call stopFlush() first (which waits for the region).
    PropsStore& props() { return m_propsStore; }
    // The index store; waits for its region to be loaded.
    IndexStore& index();
    StoreMemory& indexMemory();
    // True while the index store's region is being loaded in the background.
    bool isIndexLoading() const { return m_indexLoad.valid(); }
    // True while the property store is read from its file, its region loading.
    bool isPropsLoading() const { return m_propsLoad.valid(); }
    // Runs on the loading thread before each background load, with the file
    // it loads (kIndexFile or kPropsFile): tests hold a load back with it.
    void setLoadHook(std::function<void(const char* file)> hook) { m_loadHook = std::move(hook); }

    // The index store's change count: moves on with every change of the
    // index store by any process.
    uint32_t changeCount();
    // Opens the store objects again when the change count moved on since the
    // last refresh() or markCurrent() (another process changed the stores);
    // false when they are no longer usable.
    bool refresh();
    // Takes the current change count as this object's own.
    void markCurrent() { m_knownChange = changeCount(); }

private:
    // What looking at the index store found, and its number of contacts.
    struct IndexCheck {
        LoadResult result;
        uint32_t records;
    };
    IndexCheck checkIndex();
    IndexCheck checkIndexFile();
    bool checkProps();
    void startLoads();
    std::future<MappedStore::LoadResult> loadInBackground(MappedStore& region, const char* file,
                                                          std::shared_ptr<StoreFile> source,
                                                          uint32_t minimumSize);
    void awaitIndex();
    void awaitProps(bool wait);
    bool attachOrCreate(MappedStore& store, uint32_t size);

    MappedStore m_propsRegion;
    MappedStore m_indexRegion;
    StagedMemory m_propsMemory;
    PropsStore m_propsStore;
    IndexStore m_indexStore;
    bool m_open = false;
    uint32_t m_knownChange = 0;
    // The files checked by load() whose regions are still to be filled.
    std::shared_ptr<StoreFile> m_indexFile;
    std::shared_ptr<StoreFile> m_propsFile;
    std::future<MappedStore::LoadResult> m_indexLoad;
    std::future<MappedStore::LoadResult> m_propsLoad;
    std::function<void(const char*)> m_loadHook;
};

}  // namespace kontavo
