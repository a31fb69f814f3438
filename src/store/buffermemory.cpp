#include "store/buffermemory.h"

#include <algorithm>
#include <cstring>

namespace kontavo {

BufferMemory::BufferMemory(const QByteArray& bytes, uint32_t capacity)
    : m_bytes(std::max<size_t>(size_t(bytes.size()), capacity), 0), m_size(uint32_t(bytes.size())) {
    if (!bytes.isEmpty()) {
        std::memcpy(m_bytes.data(), bytes.constData(), size_t(bytes.size()));
    }
}

bool BufferMemory::resize(uint32_t newSize) {
    if (newSize > m_bytes.size()) {
        return false;
    }
    m_size = newSize;
    return true;
}

QByteArray BufferMemory::bytes() const {
    return QByteArray(reinterpret_cast<const char*>(m_bytes.data()), qsizetype(m_size));
}

}  // namespace kontavo
