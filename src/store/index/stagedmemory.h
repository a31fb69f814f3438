#pragma once

#include <cstdint>

#include "store/index/storememory.h"

namespace kontavo {

class MappedStore;
class StoreFile;

// The data of a store whose region is still being filled in the background.
// While staged, the data are read from a private mapping of the very file the
// region is filled from, which holds the same bytes; useRegion() moves over
// to the region. Nothing may be written while staged: resize() refuses, and
// the mapping is read-only (callers wait for the region before changing the
// store).
//
// Not thread-safe. The pointer data() returns is valid until useRegion() or
// release(), and across resize().
class StagedMemory final : public StoreMemory {
public:
    // `region` must outlive this object.
    explicit StagedMemory(MappedStore& region) : m_region(region) {}
    ~StagedMemory() override;  // release()
    StagedMemory(const StagedMemory&) = delete;
    StagedMemory& operator=(const StagedMemory&) = delete;

    // Maps the data of `file` (valid, or false) and reads them from now on;
    // false when the mapping fails. Drops an earlier mapping first.
    bool stage(const StoreFile& file);
    // Reads and writes go to the region from now on; the mapping goes.
    void useRegion() { release(); }
    // Drops the mapping, if any.
    void release();
    bool isStaged() const { return m_view != nullptr; }

    uint8_t* data() override;
    const uint8_t* data() const override;
    uint32_t size() const override;
    uint32_t capacity() const override;
    bool resize(uint32_t newSize) override;

private:
    MappedStore& m_region;
    uint8_t* m_view = nullptr;
    uint32_t m_viewBytes = 0;  // the file's data, without its trailer
    uint64_t m_mappedBytes = 0;
};

}  // namespace kontavo
