#pragma once

#include <QByteArray>
#include <vector>

#include "store/storememory.h"

namespace kontavo {

// StoreMemory in a private buffer reserved up front, for tests, fuzzers and
// tools that work on a store's bytes without a shared region.
class BufferMemory final : public StoreMemory {
public:
    // Holds `bytes` as the data in use; resize() may grow up to `capacity`
    // (at least the size of `bytes`).
    explicit BufferMemory(const QByteArray& bytes = QByteArray(), uint32_t capacity = 0);

    uint8_t* data() override { return m_bytes.data(); }
    const uint8_t* data() const override { return m_bytes.data(); }
    uint32_t size() const override { return m_size; }
    uint32_t capacity() const override { return uint32_t(m_bytes.size()); }
    bool resize(uint32_t newSize) override;

    QByteArray bytes() const;

private:
    std::vector<uint8_t> m_bytes;
    uint32_t m_size = 0;
};

}  // namespace kontavo
