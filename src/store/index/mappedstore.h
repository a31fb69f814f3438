#pragma once

#include <QString>
#include <cstdint>
#include <memory>

#include "store/index/storememory.h"
#include "store/index/storewriter.h"

namespace kontavo {

class DeviceFs;
class SharedRegion;
class StoreFile;

// The source location a store names in its log line when it cannot grow.
struct FatalSource {
    const char* file;
    int line;
};
inline constexpr FatalSource kMappedFileSource{"DebugUtils", 182};

// Logs "Unable open memory as mapped file!!!" with `source` and raises the
// out-of-memory fatal code. Never returns.
[[noreturn]] void failMappedFile(FatalSource source);
// Resizes `memory` to `newSize`, or fails fatally naming `source`.
void growOrFail(StoreMemory& memory, uint32_t newSize, FatalSource source);

// Where a store lives: its file on the host and the name of its region.
struct StoreLocation {
    QString hostPath;     // the file
    QString regionScope;  // the device root: stores of different devices never meet
    QString regionName;   // the file's full device path without backslashes, upper case

    // The region name of a device path: "\Temp\pim_index1.dat" ->
    // "TEMPPIM_INDEX1.DAT".
    static QString regionNameFor(const QString& devicePath);
    // The location of `fileName` in the device's temporary-files folder.
    static StoreLocation inTemporaryFolder(const DeviceFs& fs, const QString& fileName);
};

// A store held in a named shared region and backed by a file. The region
// reserves kReservedBytes: its first 32-bit word is the number of data bytes
// in use and the data follow it. The file holds the data followed by a 32-bit
// trailer equal to the file's total length. Another process that opens the
// same location while this one holds it shares the same data.
//
// Used from one thread, except that the write-back runs on its own thread
// (see StoreWriter): nothing may change the data while a write-back runs, so
// every change starts with stopFlush().
class MappedStore final : public StoreMemory {
public:
    // 1 GiB: a store of a quarter of a million contacts takes over 200 MB.
    // Only the bytes in use take memory.
    static constexpr uint32_t kReservedBytes = 1073741824;
    static constexpr uint32_t kMaxDataBytes = kReservedBytes - 4;

    enum class LoadResult {
        Attached,     // another live process held the region: its data as they are
        Loaded,       // the file was read whole into a new region
        Missing,      // no file
        Invalid,      // the file is too short, too long or its trailer is wrong
        Unavailable,  // the region could not be opened
    };

    // `flushDone` runs on the writer thread after each complete write-back.
    explicit MappedStore(StoreLocation location, StoreWriter::Done flushDone = {});
    ~MappedStore() override;  // close()
    MappedStore(const MappedStore&) = delete;
    MappedStore& operator=(const MappedStore&) = delete;

    // Opens the store from an existing region or from the file. An attached
    // region's size in use is raised to `minimumSize`; a loaded one has the
    // file's data length. On failure the store stays closed.
    LoadResult load(uint32_t minimumSize);
    // As load(), but a new region is filled from `file` (this store's file,
    // already open), so that it gets the very bytes the caller looked at even
    // when the file has been replaced since. `file` may be used from another
    // thread than the one that opened it.
    LoadResult load(uint32_t minimumSize, const StoreFile& file);
    // Deletes the file and opens a new, zero-filled region with `size` data
    // bytes. False (and closed) when another live process holds the region or
    // the region cannot supply the bytes.
    bool create(uint32_t size);
    // Waits for a write-back in progress (see StoreWriter::finish) and
    // releases the region.
    void close();
    bool isOpen() const { return m_region != nullptr; }

    // StoreMemory: the data after the size word. size() is re-read from the
    // region every time, since another process may have grown it.
    uint8_t* data() override;
    const uint8_t* data() const override;
    uint32_t size() const override;
    uint32_t capacity() const override { return kMaxDataBytes; }
    bool resize(uint32_t newSize) override;

    // Starts the background write-back of the data in use (stopping one in
    // progress first).
    void startFlush();
    // Stops a write-back in progress and waits until it has ended.
    void stopFlush();
    // Lets a write-back in progress complete and waits for it.
    void finishFlush() { m_writer.finish(); }
    bool isFlushing() const { return m_writer.isRunning(); }
    // True when the last write-back that ended wrote the whole file.
    bool lastFlushComplete() const { return m_writer.lastWriteComplete(); }

    const StoreLocation& location() const { return m_location; }
    // True when some live process holds this store's region (this object
    // included), so that load() would attach to it instead of reading the
    // file. Advisory: holders come and go.
    bool isHeld() const;

    // True when a file's bytes pass the trailer check: longer than 3 bytes,
    // the last 4 bytes equal to the length, the data within kMaxDataBytes.
    static bool isValidFile(const uint8_t* bytes, uint64_t length);

private:
    LoadResult loadFrom(uint32_t minimumSize, const StoreFile* file);
    bool readFileInto(const StoreFile& file, SharedRegion& region, LoadResult& result);

    StoreLocation m_location;
    StoreWriter::Done m_flushDone;
    std::unique_ptr<SharedRegion> m_region;
    StoreWriter m_writer;
};

}  // namespace kontavo
