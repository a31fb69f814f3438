#pragma once

#include <QString>
#include <cstdint>
#include <future>

#include "store/index/indexstore.h"
#include "store/index/mappedstore.h"
#include "store/index/propsstore.h"

namespace kontavo {

class DeviceFs;

// The two index files of the device, each held in its shared region:
// "pim_index1.dat" (IndexStore) and "pim_index2.dat" (PropsStore), with the
// store objects working on them. Loading checks what can be checked without
// the database; the rest is the caller's (ContactIndex rules).
//
// Loading copies "pim_index2.dat" into its region at once. "pim_index1.dat"
// is checked from the region when another process holds it, else from its
// file's header, and copied into its region by a background thread: the
// first use of the index store waits for that copy.
//
// UI thread only, except the write-back threads the stores run themselves
// and the background load. Another process may hold the same regions:
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
    // number of contacts. Anything else closes both. The index store's
    // region may still be loading when this returns (see index()).
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

    PropsStore& props() { return m_propsStore; }
    // The index store; waits for its region to be loaded.
    IndexStore& index();
    StoreMemory& indexMemory();
    // True while the index store's region is being loaded in the background.
    bool isIndexLoading() const { return m_indexLoad.valid(); }

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
    IndexCheck loadIndex();
    IndexCheck checkIndexFile();
    void awaitIndex();
    bool attachOrCreate(MappedStore& store, uint32_t size);

    MappedStore m_propsRegion;
    MappedStore m_indexRegion;
    PropsStore m_propsStore;
    IndexStore m_indexStore;
    bool m_open = false;
    uint32_t m_knownChange = 0;
    std::future<MappedStore::LoadResult> m_indexLoad;
};

}  // namespace kontavo
