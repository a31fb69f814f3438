#include "store/treereader.h"

#include <algorithm>

#include "store/indexlayout.h"
#include "store/nodering.h"

namespace kontavo {

using namespace indexlayout;

namespace {

struct Pending {
    uint32_t node;
    uint32_t depth;
};

}  // namespace

// Reading never changes the heap; the shared helpers just take it non-const.
TreeReader::TreeReader(const IndexHeap& heap, int tree)
    : m_heap(const_cast<IndexHeap&>(heap)),
      m_tree(tree),
      m_nodes(m_heap),
      m_prefixLists(m_heap, tree),
      m_oids(m_heap, 1),
      m_map(m_heap, 2) {}

uint32_t TreeReader::mapOffset() const {
    return m_heap.bytes().word(kMapAt[m_tree]);
}

uint32_t TreeReader::root() const {
    return m_map.count(mapOffset()) == 0 ? 0 : m_heap.bytes().word(kRootAt[m_tree]);
}

TreeReader::Match TreeReader::locate(QStringView prefix) const {
    uint32_t node = root();
    qsizetype i = 0;
    for (uint32_t steps = 0; node != 0 && !prefix.isEmpty() && steps < nodeLimit(); ++steps) {
        if (!m_nodes.isNode(node)) {
            m_heap.bytes().setFault();
            return {};
        }
        const char16_t wanted = prefix[i].unicode();
        const char16_t here = m_nodes.character(node);
        if (wanted != here) {
            node = m_nodes.field(node, wanted < here ? kLowerAt : kHigherAt);
            continue;
        }
        if (++i == prefix.size()) {
            return {node, false};
        }
        if (m_nodes.hasTail(node)) {
            return m_nodes.tail(node).startsWith(prefix.mid(i)) ? Match{node, true} : Match{};
        }
        node = m_nodes.field(node, kEqualAt);
    }
    return {};
}

std::vector<uint32_t> TreeReader::find(QStringView prefix) const {
    std::vector<uint32_t> oids;
    find(prefix, oids);
    return oids;
}

void TreeReader::find(QStringView prefix, std::vector<uint32_t>& oids) const {
    oids.clear();
    if (prefix.isEmpty()) {
        m_map.appendKeys(mapOffset(), oids);
        return;
    }
    const Match match = locate(prefix);
    if (match.node == 0) {
        return;
    }
    if (match.inTail) {
        m_oids.appendKeys(m_nodes.field(match.node, kNodeListAt), oids);
    } else {
        collect(match.node, uint32_t(prefix.size()), oids);
    }
    if (!std::is_sorted(oids.begin(), oids.end())) {
        std::sort(oids.begin(), oids.end());
    }
    oids.erase(std::unique(oids.begin(), oids.end()), oids.end());
}

void TreeReader::collect(uint32_t node, uint32_t depth, std::vector<uint32_t>& out) const {
    if (const uint32_t list = depth <= kPrefixListDepth[m_tree] ? m_prefixLists.listOf(node) : 0) {
        m_oids.appendKeys(list, out);
        return;
    }
    m_oids.appendKeys(m_nodes.field(node, kNodeListAt), out);
    std::vector<Pending> pending{{m_nodes.field(node, kEqualAt), depth + 1}};
    uint32_t visits = 0;
    while (!pending.empty()) {
        const Pending next = pending.back();
        pending.pop_back();
        if (next.node == 0) {
            continue;
        }
        if (!m_nodes.isNode(next.node) || ++visits > nodeLimit()) {
            m_heap.bytes().setFault();
            return;
        }
        pending.push_back({m_nodes.field(next.node, kLowerAt), next.depth});
        pending.push_back({m_nodes.field(next.node, kHigherAt), next.depth});
        const uint32_t list =
            next.depth <= kPrefixListDepth[m_tree] ? m_prefixLists.listOf(next.node) : 0;
        if (list != 0) {
            m_oids.appendKeys(list, out);  // covers the node and its equal subtree
            continue;
        }
        m_oids.appendKeys(m_nodes.field(next.node, kNodeListAt), out);
        pending.push_back({m_nodes.field(next.node, kEqualAt), next.depth + 1});
    }
}

std::vector<uint32_t> TreeReader::prefixPath(uint32_t node) const {
    std::vector<uint32_t> path{node};
    uint32_t child = node;
    for (uint32_t steps = 0; steps < nodeLimit(); ++steps) {
        const uint32_t parent = m_nodes.field(child, kParentAt);
        if (parent == 0 || !m_nodes.isNode(parent)) {
            break;
        }
        if (m_nodes.field(parent, kEqualAt) == child) {
            path.push_back(parent);
        }
        child = parent;
    }
    std::reverse(path.begin(), path.end());
    return path;
}

QString TreeReader::wordAt(uint32_t node) const {
    QString word;
    for (uint32_t step : prefixPath(node)) {
        word.append(QChar(m_nodes.character(step)));
    }
    return word + m_nodes.tail(node);
}

QStringList TreeReader::wordsOf(uint32_t oid) const {
    QStringList words;
    const uint32_t map = mapOffset();
    const auto index = m_map.find(map, oid);
    if (!index) {
        return words;
    }
    for (uint32_t node : NodeRing(m_heap).nodes(m_map.at(map, *index, 1))) {
        if (m_nodes.isNode(node)) {
            words.append(wordAt(node));
        }
    }
    return words;
}

void TreeReader::forEachWord(const std::function<void(const QString&, uint32_t)>& visit) const {
    QString word;
    std::vector<Pending> pending{{root(), 1}};
    uint32_t visits = 0;
    while (!pending.empty()) {
        const Pending next = pending.back();
        pending.pop_back();
        if (next.node == 0) {
            continue;
        }
        if (!m_nodes.isNode(next.node) || ++visits > nodeLimit()) {
            m_heap.bytes().setFault();
            return;
        }
        // Every pending node of a depth shares the characters above it.
        word.truncate(next.depth - 1);
        word.append(QChar(m_nodes.character(next.node)));
        if (const uint32_t list = m_nodes.field(next.node, kNodeListAt)) {
            visit(word + m_nodes.tail(next.node), list);
        }
        pending.push_back({m_nodes.field(next.node, kLowerAt), next.depth});
        pending.push_back({m_nodes.field(next.node, kHigherAt), next.depth});
        pending.push_back({m_nodes.field(next.node, kEqualAt), next.depth + 1});
    }
}

std::vector<uint32_t> TreeReader::nodesFrom(uint32_t start) const {
    std::vector<uint32_t> nodes;
    std::vector<uint32_t> pending{start};
    while (!pending.empty() && nodes.size() <= nodeLimit()) {
        const uint32_t node = pending.back();
        pending.pop_back();
        if (node == 0 || !m_nodes.isNode(node)) {
            continue;
        }
        nodes.push_back(node);
        pending.push_back(m_nodes.field(node, kLowerAt));
        pending.push_back(m_nodes.field(node, kHigherAt));
        pending.push_back(m_nodes.field(node, kEqualAt));
    }
    return nodes;
}

}  // namespace kontavo
