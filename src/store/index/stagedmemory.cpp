#include "store/index/stagedmemory.h"

#include <sys/mman.h>

#include "store/index/mappedstore.h"
#include "store/index/storefile.h"

namespace kontavo {

StagedMemory::~StagedMemory() {
    release();
}

// The walk that checks a store touches every page: they are mapped in one go.
// The mapping is read-only (a writable private one would copy every page as
// it is populated).
bool StagedMemory::stage(const StoreFile& file) {
    release();
    if (file.state() != StoreFile::State::Valid) {
        return false;
    }
    const uint64_t length = file.fileLength();
    void* view =
        ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE | MAP_POPULATE, file.descriptor(), 0);
    if (view == MAP_FAILED) {
        return false;
    }
    m_view = static_cast<uint8_t*>(view);
    m_mappedBytes = length;
    m_viewBytes = file.dataLength();
    return true;
}

void StagedMemory::release() {
    if (m_view != nullptr) {
        ::munmap(m_view, m_mappedBytes);
    }
    m_view = nullptr;
    m_viewBytes = 0;
    m_mappedBytes = 0;
}

uint8_t* StagedMemory::data() {
    return m_view != nullptr ? m_view : m_region.data();
}

const uint8_t* StagedMemory::data() const {
    return m_view != nullptr ? m_view : m_region.data();
}

uint32_t StagedMemory::size() const {
    return m_view != nullptr ? m_viewBytes : m_region.size();
}

uint32_t StagedMemory::capacity() const {
    return m_region.capacity();
}

bool StagedMemory::resize(uint32_t newSize) {
    return m_view == nullptr && m_region.resize(newSize);
}

}  // namespace kontavo
