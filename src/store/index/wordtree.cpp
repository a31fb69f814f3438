#include "store/index/wordtree.h"

#include <algorithm>

#include "store/index/indexlayout.h"

namespace kontavo {

using namespace indexlayout;

WordTree::WordTree(IndexHeap& heap, int tree)
    : m_heap(heap),
      m_tree(tree),
      m_nodes(heap),
      m_rings(heap),
      m_prefixLists(heap, tree),
      m_oids(heap, 1),
      m_map(heap, 2),
      m_reader(heap, tree) {}

uint32_t WordTree::rootWord() const {
    return m_heap.bytes().word(kRootAt[m_tree]);
}
void WordTree::setRoot(uint32_t node) {
    m_heap.bytes().setWord(kRootAt[m_tree], node);
}
uint32_t WordTree::mapOffset() const {
    return m_heap.bytes().word(kMapAt[m_tree]);
}
void WordTree::setMap(uint32_t offset) {
    m_heap.bytes().setWord(kMapAt[m_tree], offset);
}

void WordTree::initialise() {
    setRoot(m_heap.allocate(4));
    setMap(m_heap.allocate(4));
}

void WordTree::insert(QStringView word, uint32_t oid) {
    if (word.isEmpty()) {
        return;
    }
    std::vector<uint32_t> path;
    const uint32_t target = descend(word, path);
    bool added = false;
    m_nodes.setField(target, kNodeListAt,
                     m_oids.insert(m_nodes.field(target, kNodeListAt), oid, 0, &added));
    if (!added) {
        return;
    }
    fileInRing(oid, target);
    for (size_t d = 0; d < path.size() && d < kPrefixListDepth[m_tree]; ++d) {
        std::vector<uint32_t> initial;
        if (m_prefixLists.listOf(path[d]) == 0) {
            m_reader.collect(path[d], kPrefixListDepth[m_tree] + 1, initial);
            std::sort(initial.begin(), initial.end());
            initial.erase(std::unique(initial.begin(), initial.end()), initial.end());
        }
        m_prefixLists.add(path[d], oid, initial);
    }
}

uint32_t WordTree::descend(QStringView word, std::vector<uint32_t>& path) {
    if (m_reader.root() == 0) {
        m_heap.release(rootWord(), 4);  // the empty tree's item
        setRoot(0);
        return attach(0, kRootAt[m_tree], word, path);
    }
    uint32_t node = rootWord();
    qsizetype i = 0;
    for (uint32_t steps = 0; steps < m_reader.nodeLimit() && m_nodes.isNode(node); ++steps) {
        const char16_t wanted = word[i].unicode();
        const char16_t here = m_nodes.character(node);
        if (wanted != here) {
            const uint32_t linkAt = wanted < here ? kLowerAt : kHigherAt;
            const uint32_t next = m_nodes.field(node, linkAt);
            if (next == 0) {
                return attach(node, node + linkAt, word.mid(i), path);
            }
            node = next;
            continue;
        }
        path.push_back(node);
        if (m_nodes.hasTail(node)) {
            burst(node, uint32_t(path.size()));
        }
        if (++i == word.size()) {
            return node;
        }
        const uint32_t next = m_nodes.field(node, kEqualAt);
        if (next == 0) {
            return attach(node, node + kEqualAt, word.mid(i), path);
        }
        node = next;
    }
    m_heap.bytes().setFault();
    return node;
}

// Hangs a new node for rest[0], carrying the rest of the word as its tail,
// at the link word `linkAt` (a field of `parent`, or the root word).
uint32_t WordTree::attach(uint32_t parent, uint32_t linkAt, QStringView rest,
                          std::vector<uint32_t>& path) {
    const uint32_t node = m_nodes.create(parent, rest[0].unicode(), rest.mid(1));
    m_heap.bytes().setWord(linkAt, node);
    path.push_back(node);
    return node;
}

// Moves the tail of `node` (at `depth`) into a new equal child, so that a
// word can end at or pass through `node`.
void WordTree::burst(uint32_t node, uint32_t depth) {
    const QString tail = m_nodes.tail(node);
    const uint32_t list = m_nodes.field(node, kNodeListAt);
    m_nodes.dropTail(node);
    if (tail.isEmpty() || list == 0) {
        return;
    }
    const uint32_t child = m_nodes.create(node, tail[0].unicode(), QStringView(tail).mid(1));
    m_nodes.setField(child, kNodeListAt, list);
    m_nodes.setField(node, kNodeListAt, 0);
    m_nodes.setField(node, kEqualAt, child);
    const std::vector<uint32_t> oids = m_oids.keys(list);
    const uint32_t map = mapOffset();
    for (uint32_t oid : oids) {
        if (const auto index = m_map.find(map, oid)) {
            m_rings.replace(m_map.at(map, *index, 1), node, child);
        }
    }
    if (depth + 1 <= kPrefixListDepth[m_tree]) {
        m_prefixLists.set(child, oids);
    }
}

void WordTree::fileInRing(uint32_t oid, uint32_t node) {
    const uint32_t map = mapOffset();
    if (const auto index = m_map.find(map, oid)) {
        m_rings.append(m_map.at(map, *index, 1), node);
    } else {
        const uint32_t ring = m_rings.create(node);
        setMap(m_map.insert(map, oid, ring));
    }
}

bool WordTree::remove(uint32_t oid) {
    const uint32_t map = mapOffset();
    const auto index = m_map.find(map, oid);
    if (!index) {
        return false;
    }
    const uint32_t ring = m_map.at(map, *index, 1);
    std::vector<uint32_t> nodes = m_rings.nodes(ring);
    m_rings.release(ring);
    setMap(m_map.remove(map, oid, true));
    // The prefix nodes above the contact's words lose it from their lists.
    std::unordered_set<uint32_t> prefixNodes;
    for (uint32_t node : nodes) {
        const std::vector<uint32_t> path = m_reader.prefixPath(node);
        prefixNodes.insert(path.begin(),
                           path.begin() + std::min<size_t>(path.size(), kPrefixListDepth[m_tree]));
    }
    for (uint32_t node : prefixNodes) {
        m_prefixLists.remove(node, oid);
    }
    for (uint32_t node : nodes) {
        if (m_nodes.isNode(node)) {
            m_nodes.setField(node, kNodeListAt,
                             m_oids.remove(m_nodes.field(node, kNodeListAt), oid, false));
        }
    }
    std::unordered_set<uint32_t> freed;
    for (uint32_t node : nodes) {
        if (!freed.count(node) && m_nodes.isNode(node)) {
            prune(node, freed);
        }
    }
    if (m_map.count(mapOffset()) == 0) {
        releaseAll(true);  // what pruning left of the tree
    }
    return true;
}

// Frees `node` and then each parent left with nothing to hold: no word
// ending there and no equal child. A node with one sibling link is replaced
// by that sibling; one with two stays as it is.
void WordTree::prune(uint32_t node, std::unordered_set<uint32_t>& freed) {
    for (uint32_t steps = 0; node != 0 && steps < m_reader.nodeLimit(); ++steps) {
        if (m_nodes.field(node, kNodeListAt) != 0 || m_nodes.field(node, kEqualAt) != 0) {
            return;
        }
        m_nodes.dropTail(node);
        const uint32_t lower = m_nodes.field(node, kLowerAt);
        const uint32_t higher = m_nodes.field(node, kHigherAt);
        if (lower != 0 && higher != 0) {
            return;
        }
        const uint32_t parent = m_nodes.field(node, kParentAt);
        const uint32_t child = lower != 0 ? lower : higher;
        m_nodes.replaceChild(parent, kRootAt[m_tree], node, child);
        if (child != 0) {
            m_nodes.setField(child, kParentAt, parent);
        }
        releaseNode(node, freed);
        if (child != 0 || parent == 0) {
            return;
        }
        node = parent;
    }
}

void WordTree::releaseNode(uint32_t node, std::unordered_set<uint32_t>& freed) {
    m_prefixLists.erase(node);
    m_oids.release(m_nodes.field(node, kNodeListAt));
    m_nodes.release(node);
    freed.insert(node);
}

void WordTree::clear() {
    releaseAll(m_reader.root() != 0);
}

void WordTree::releaseAll(bool rootIsNode) {
    const uint32_t map = mapOffset();
    const uint32_t contacts = m_map.count(map);
    for (uint32_t i = 0; i < contacts; ++i) {
        m_rings.release(m_map.at(map, i, 1));
    }
    const uint32_t root = rootWord();
    if (rootIsNode) {
        std::unordered_set<uint32_t> freed;
        for (uint32_t node : m_reader.nodesFrom(root)) {
            if (!freed.count(node)) {
                releaseNode(node, freed);
            }
        }
    } else if (root != 0) {
        m_heap.release(root, 4);  // the empty tree's item
    }
    m_prefixLists.clear();
    m_map.release(map);
    initialise();
}

void WordTree::dropDeepPrefixLists() {
    for (const auto& [node, list] : m_prefixLists.entries()) {
        if (m_reader.prefixPath(node).size() > kPrefixListDepth[m_tree]) {
            m_prefixLists.erase(node);
        }
    }
}

}  // namespace kontavo
