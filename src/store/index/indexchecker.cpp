#include "store/index/indexchecker.h"

#include <algorithm>
#include <unordered_set>

#include "store/index/indexlayout.h"

namespace kontavo {

using namespace indexlayout;

IndexChecker::IndexChecker(const IndexHeap& heap)
    : m_heap(const_cast<IndexHeap&>(heap)),
      m_bytes(m_heap.bytes()),
      m_nodes(m_heap),
      m_oids(m_heap, 1),
      m_pairs(m_heap, 2) {}

bool IndexChecker::fail(const QString& text) {
    m_problem = text;
    return false;
}

bool IndexChecker::run(QString* problem) {
    const bool ok = checkHeader() && checkTree(0) && checkTree(1) && [this] {
        const uint64_t heapBytes = m_heap.top() - kSpaceTableAt;
        const uint64_t accounted = m_used + kSpaceTableBytes + m_heap.freeBytes();
        return accounted == heapBytes ||
               fail(QStringLiteral("heap accounting: %1 bytes in items and free lists, %2 in heap")
                        .arg(accounted)
                        .arg(heapBytes));
    }() && !m_bytes.fault();
    if (!ok && problem != nullptr) {
        *problem = m_problem.isEmpty() ? QStringLiteral("out-of-bounds link") : m_problem;
    }
    return ok;
}

bool IndexChecker::checkHeader() {
    if (m_bytes.size() < kHeaderBytes || m_bytes.word(kMagicAt) != kMagic ||
        m_bytes.word(kVersionAt) != kVersion) {
        return fail(QStringLiteral("bad header"));
    }
    if (!m_heap.isValid()) {
        return fail(QStringLiteral("no space table"));
    }
    return checkSorted(m_bytes.word(kListAt[0]), 1, true, QStringLiteral("list 0")) &&
           checkSorted(m_bytes.word(kListAt[1]), 1, true, QStringLiteral("list 1")) &&
           checkSorted(m_bytes.word(kRecordMapAt), 2, true, QStringLiteral("record map"));
}

// An array item in the heap with strictly ascending keys; counts its bytes.
bool IndexChecker::checkSorted(uint32_t offset, uint32_t words, bool allowEmpty,
                               const QString& what) {
    const SortedArray& array = words == 1 ? m_oids : m_pairs;
    const uint32_t count = m_bytes.word(offset);
    if (!m_heap.holds(offset, array.itemBytes(count)) || (count == 0 && !allowEmpty)) {
        return fail(what + QStringLiteral(" outside the heap or empty"));
    }
    for (uint32_t i = 1; i < count; ++i) {
        if (array.at(offset, i - 1) >= array.at(offset, i)) {
            return fail(what + QStringLiteral(" not ascending"));
        }
    }
    m_used += array.itemBytes(count);
    return true;
}

bool IndexChecker::checkTree(int tree) {
    m_seen.clear();
    m_listEntries = 0;
    const uint32_t map = m_bytes.word(kMapAt[tree]);
    if (!checkSorted(map, 2, true, QStringLiteral("Oid map"))) {
        return false;
    }
    const uint32_t root = m_bytes.word(kRootAt[tree]);
    if (m_pairs.count(map) == 0) {
        if (!m_heap.holds(root, 4) || m_bytes.word(root) != 0 ||
            m_heap.spaceWord(kSpaceDirectoryAt[tree]) != 0) {
            return fail(QStringLiteral("empty tree is not a 4-byte item holding 0"));
        }
        m_used += 4;
        return true;
    }
    return checkNodes(root) && checkRings(map) && checkPrefixLists(tree);
}

bool IndexChecker::checkNodes(uint32_t root) {
    struct Pending {
        uint32_t node, parent, depth;
    };
    std::vector<Pending> pending{{root, 0, 1}};
    while (!pending.empty()) {
        const Pending next = pending.back();
        pending.pop_back();
        if (next.node == 0) {
            continue;
        }
        if (!checkNode(next.node, next.parent, next.depth)) {
            return false;
        }
        pending.push_back({m_nodes.field(next.node, kLowerAt), next.node, next.depth});
        pending.push_back({m_nodes.field(next.node, kHigherAt), next.node, next.depth});
        pending.push_back({m_nodes.field(next.node, kEqualAt), next.node, next.depth + 1});
    }
    return true;
}

bool IndexChecker::checkNode(uint32_t node, uint32_t parent, uint32_t depth) {
    if (!m_nodes.isNode(node) || m_seen.count(node) != 0) {
        return fail(QStringLiteral("node %1 outside the heap or linked twice").arg(node));
    }
    if (m_nodes.field(node, kParentAt) != parent || m_nodes.character(node) == 0) {
        return fail(QStringLiteral("node %1 has a wrong parent or no character").arg(node));
    }
    const bool wide = m_nodes.hasTail(node) || m_bytes.byte(node + kWideFlagAt) == 1;
    m_used += wide ? kTailNodeBytes : kNodeBytes;
    const uint32_t list = m_nodes.field(node, kNodeListAt);
    if (m_nodes.hasTail(node)) {
        const QString tail = m_nodes.tail(node);
        if (tail.isEmpty() || m_nodes.field(node, kEqualAt) != 0 || list == 0) {
            return fail(QStringLiteral("node %1 has a bad tail").arg(node));
        }
        m_used += TreeNodes::tailBytes(tail.size());
    }
    NodeInfo& info = m_seen[node];
    info.depth = depth;
    if (list != 0) {
        if (!checkSorted(list, 1, false, QStringLiteral("Oid list"))) {
            return false;
        }
        info.oids = m_oids.keys(list);
        m_listEntries += info.oids.size();
    }
    return true;
}

// Every node-list slot names a node whose list holds the contact, and the
// slotCount together name each (node, contact) pair exactly once.
bool IndexChecker::checkRings(uint32_t map) {
    uint64_t slotCount = 0;
    const uint32_t contacts = m_pairs.count(map);
    for (uint32_t i = 0; i < contacts; ++i) {
        const uint32_t oid = m_pairs.at(map, i, 0);
        const uint32_t first = m_pairs.at(map, i, 1);
        std::unordered_set<uint32_t> nodes;
        uint32_t chunk = first;
        do {
            const uint32_t count = m_bytes.word(chunk + kChunkCountAt);
            if (!m_heap.holds(chunk, kChunkBytes) || count == 0 || count > kChunkSlots ||
                m_bytes.word(m_bytes.word(chunk + kChunkNextAt) + kChunkPrevAt) != chunk ||
                slotCount > m_listEntries) {
                return fail(QStringLiteral("broken node list of Oid %1").arg(oid));
            }
            for (uint32_t s = 0; s < count; ++s) {
                const uint32_t node = m_bytes.word(chunk + kChunkSlotsAt + 4 * s);
                const auto seen = m_seen.find(node);
                if (seen == m_seen.end() || !nodes.insert(node).second ||
                    !std::binary_search(seen->second.oids.begin(), seen->second.oids.end(), oid)) {
                    return fail(QStringLiteral("node list of Oid %1 names a wrong node").arg(oid));
                }
            }
            slotCount += count;
            m_used += kChunkBytes;
            chunk = m_bytes.word(chunk + kChunkNextAt);
        } while (chunk != first);
    }
    return slotCount == m_listEntries ||
           fail(QStringLiteral("node lists name %1 words, the tree has %2")
                    .arg(slotCount)
                    .arg(m_listEntries));
}

std::vector<uint32_t> IndexChecker::expectedPrefixList(uint32_t node) const {
    std::vector<uint32_t> oids = m_seen.at(node).oids;
    std::vector<uint32_t> pending{m_nodes.field(node, kEqualAt)};
    while (!pending.empty()) {
        const uint32_t next = pending.back();
        pending.pop_back();
        const auto seen = m_seen.find(next);
        if (seen == m_seen.end()) {
            continue;
        }
        oids.insert(oids.end(), seen->second.oids.begin(), seen->second.oids.end());
        for (uint32_t at : {kLowerAt, kHigherAt, kEqualAt}) {
            pending.push_back(m_nodes.field(next, at));
        }
    }
    std::sort(oids.begin(), oids.end());
    oids.erase(std::unique(oids.begin(), oids.end()), oids.end());
    return oids;
}

bool IndexChecker::checkPrefixLists(int tree) {
    const uint32_t directory = m_heap.spaceWord(kSpaceDirectoryAt[tree]);
    if (directory == 0) {
        return true;
    }
    if (!checkSorted(directory, 2, false, QStringLiteral("prefix directory"))) {
        return false;
    }
    const uint32_t count = m_pairs.count(directory);
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t node = m_pairs.at(directory, i, 0);
        const uint32_t list = m_pairs.at(directory, i, 1);
        const auto seen = m_seen.find(node);
        // A deeper node's list (an earlier build's, dropped at the first
        // change) is never read here, but must be exact for whoever reads it.
        if (seen == m_seen.end() || !checkSorted(list, 1, false, QStringLiteral("prefix list"))) {
            return fail(QStringLiteral("prefix list of node %1 misplaced").arg(node));
        }
        if (m_oids.keys(list) != expectedPrefixList(node)) {
            return fail(QStringLiteral("prefix list of node %1 is stale").arg(node));
        }
    }
    return true;
}

}  // namespace kontavo
