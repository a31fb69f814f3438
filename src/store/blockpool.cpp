#include "store/blockpool.h"

namespace kontavo {

void BlockPool::extend(uint32_t blocks) {
    m_used.resize(m_used.size() + blocks, false);
    m_free += blocks;
}

bool BlockPool::take(uint32_t block) {
    if (block >= m_used.size() || m_used[block]) {
        return false;
    }
    m_used[block] = true;
    --m_free;
    return true;
}

void BlockPool::release(uint32_t block) {
    if (block < m_used.size() && m_used[block]) {
        m_used[block] = false;
        ++m_free;
        if (block < m_searchFrom) {
            m_searchFrom = block;
        }
    }
}

std::optional<std::vector<uint32_t>> BlockPool::allocate(uint32_t count) {
    if (count > m_free) {
        return std::nullopt;
    }
    std::vector<uint32_t> blocks;
    blocks.reserve(count);
    uint32_t at = m_searchFrom;
    while (blocks.size() < count && at < m_used.size()) {
        if (!m_used[at]) {
            m_used[at] = true;
            blocks.push_back(at);
        }
        ++at;
    }
    m_free -= count;
    // Every block below `at` is used now, so later searches start there.
    m_searchFrom = at;
    return blocks;
}

}  // namespace kontavo
