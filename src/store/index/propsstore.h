#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <vector>

#include "store/index/checkedbytes.h"
#include "store/index/mappedstore.h"
#include "store/notes/blockpool.h"

namespace kontavo {

// The property store ("pim_index2.dat"): every contact's record as a chain of
// 128-byte blocks, all records in one circular doubly linked list. Records are
// opaque byte strings here; a record is named by the offset of its first
// block. The byte layout is written up in docs/formats/index-files.md.
//
// Works on memory owned by the caller (a MappedStore, or a buffer). Free
// blocks are tracked in this object only (see BlockPool), so just one object
// may change a store at a time, and an object must open() again after another
// one changed the store. Not thread-safe.
class PropsStore {
public:
    static constexpr FatalSource kFatalSource{"PropsStore", 166};
    static constexpr uint32_t kMagic = 1;
    static constexpr uint32_t kVersion = 5;
    static constexpr uint32_t kHeaderBytes = 28;
    static constexpr uint32_t kBlockBytes = 128;
    static constexpr uint32_t kFirstBlockData = 112;
    static constexpr uint32_t kNextBlockData = 124;
    static constexpr uint32_t kMinimumSize = 1024;

    explicit PropsStore(StoreMemory& memory);

    // Blocks taken by a record of `length` bytes (112 -> 1, 113 -> 2).
    static uint32_t blocksFor(uint32_t length);
    // Size of a new store expected to hold `expectedBytes`:
    // max(1024, n + n/100 + 40) rounded up to a multiple of 4.
    static uint32_t sizeFor(uint32_t expectedBytes);
    // Size after growing a store of `size` bytes by `neededBytes`:
    // (size + needed) x 1.01 rounded up to a multiple of 4.
    static uint32_t grownSize(uint32_t size, uint32_t neededBytes);

    // Writes the header of an empty store into memory already sized (magic,
    // version, time 0, not busy, no records). False when it is under 28 bytes.
    bool initialise();
    // Checks the header (size over 27 bytes, magic 1, version 5) and walks
    // every record chain; false when anything is out of place. Does not look
    // at the busy flag.
    bool open();
    bool isOpen() const { return m_open; }

    uint64_t lastModified() const;  // FILETIME of the database at the last index update
    void setLastModified(uint64_t filetime);
    bool isBusy() const;
    void setBusy(bool busy);
    uint32_t head() const;
    uint32_t count() const;

    // Adds a record before the head (after the last record), growing the
    // store when the pool is short; returns its first block's offset.
    // nullopt when the store is not open or the record exceeds any store.
    std::optional<uint32_t> insert(const QByteArray& record);
    // Rewrites a record in place: the first block stays, the chain grows or
    // shrinks to the new length. False for an offset that is no record.
    bool rewrite(uint32_t offset, const QByteArray& record);
    // Unlinks a record and frees its blocks.
    bool remove(uint32_t offset);
    // The record whose first block is at `offset`; nullopt when the offset
    // names no record or its chain is broken.
    std::optional<QByteArray> read(uint32_t offset) const;
    // The first-block offsets of all records, from the head onwards.
    std::vector<uint32_t> records() const;
    uint32_t freeBlocks() const { return m_pool.freeCount(); }

private:
    uint32_t blockOffset(uint32_t block) const { return kHeaderBytes + block * kBlockBytes; }
    std::optional<uint32_t> blockIndex(uint32_t offset) const;
    uint32_t poolBlocks() const;
    template <typename Word, typename Block>
    bool walkRecord(uint32_t offset, const Word& word, const Block& block);
    std::optional<std::vector<uint32_t>> chainOf(uint32_t offset) const;
    std::optional<std::vector<uint32_t>> takeBlocks(uint32_t count);
    void writeChain(const std::vector<uint32_t>& blocks, const QByteArray& record);
    void freeBlocks(const std::vector<uint32_t>& blocks);
    void link(uint32_t offset);
    void unlink(uint32_t offset);

    StoreMemory& m_memory;
    CheckedBytes m_bytes;
    BlockPool m_pool;
    std::vector<bool> m_first;  // blocks that start a record
    bool m_open = false;
};

}  // namespace kontavo
