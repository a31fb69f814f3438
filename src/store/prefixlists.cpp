#include "store/prefixlists.h"

#include "store/indexlayout.h"

namespace kontavo {

using namespace indexlayout;

PrefixLists::PrefixLists(IndexHeap& heap, int tree)
    : m_heap(heap), m_tree(tree), m_pairs(heap, 2), m_oids(heap, 1) {}

uint32_t PrefixLists::directory() const {
    return m_heap.spaceWord(kSpaceDirectoryAt[m_tree]);
}

void PrefixLists::setDirectory(uint32_t offset) {
    m_heap.setSpaceWord(kSpaceDirectoryAt[m_tree], offset);
}

uint32_t PrefixLists::listOf(uint32_t node) const {
    const uint32_t dir = directory();
    if (dir == 0) {
        return 0;
    }
    const auto index = m_pairs.find(dir, node);
    return index ? m_pairs.at(dir, *index, 1) : 0;
}

void PrefixLists::add(uint32_t node, uint32_t oid, const std::vector<uint32_t>& initial) {
    uint32_t list = listOf(node);
    if (list == 0) {
        set(node, initial);
        list = listOf(node);
    }
    const uint32_t updated = m_oids.insert(list, oid);
    if (updated != list) {
        setDirectory(m_pairs.insert(directory(), node, updated));
    }
}

void PrefixLists::remove(uint32_t node, uint32_t oid) {
    const uint32_t list = listOf(node);
    if (list == 0) {
        return;
    }
    const uint32_t updated = m_oids.remove(list, oid, false);
    if (updated == 0) {
        setDirectory(m_pairs.remove(directory(), node, false));
    } else if (updated != list) {
        setDirectory(m_pairs.insert(directory(), node, updated));
    }
}

void PrefixLists::set(uint32_t node, const std::vector<uint32_t>& oids) {
    erase(node);
    if (!oids.empty()) {
        const uint32_t list = m_oids.create(oids);
        setDirectory(m_pairs.insert(directory(), node, list));
    }
}

void PrefixLists::erase(uint32_t node) {
    const uint32_t list = listOf(node);
    if (list != 0) {
        m_oids.release(list);
        setDirectory(m_pairs.remove(directory(), node, false));
    }
}

std::vector<std::pair<uint32_t, uint32_t>> PrefixLists::entries() const {
    std::vector<std::pair<uint32_t, uint32_t>> found;
    const uint32_t dir = directory();
    const uint32_t n = m_pairs.count(dir);
    for (uint32_t i = 0; i < n; ++i) {
        found.emplace_back(m_pairs.at(dir, i, 0), m_pairs.at(dir, i, 1));
    }
    return found;
}

void PrefixLists::clear() {
    for (const auto& [node, list] : entries()) {
        m_oids.release(list);
    }
    m_pairs.release(directory());
    setDirectory(0);
}

}  // namespace kontavo
