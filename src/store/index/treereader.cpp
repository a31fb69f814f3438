#include "store/index/treereader.h"

#include <algorithm>

#include "store/index/indexlayout.h"
#include "store/index/nodering.h"

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
    OidUnion found;
    if (gather(prefix, found)) {
        found.take(oids);
    }
}

bool TreeReader::gather(QStringView prefix, OidUnion& into) const {
    const Match match = locate(prefix);
    if (match.node == 0) {
        return false;
    }
    const auto add = [&](uint32_t list) {
        uint32_t count = 0;
        const uint8_t* entries = m_oids.entries(list, count);
        into.add(entries, count);
    };
    if (match.inTail) {
        add(m_nodes.field(match.node, kNodeListAt));
    } else {
        forEachList(match.node, uint32_t(prefix.size()), add);
    }
    return true;
}

void TreeReader::collect(uint32_t node, uint32_t depth, std::vector<uint32_t>& out) const {
    forEachList(node, depth, [&](uint32_t list) { m_oids.appendKeys(list, out); });
}

// The walk reads the nodes through a view of the heap taken once: the same
// bounds every node is checked against, without a call per field.
template <typename Visit>
void TreeReader::forEachList(uint32_t node, uint32_t depth, const Visit& visit) const {
    if (const uint32_t list = depth <= kPrefixListDepth[m_tree] ? m_prefixLists.listOf(node) : 0) {
        visit(list);
        return;
    }
    const IndexHeap::View heap = m_heap.view();
    const auto isNode = [&heap](uint32_t at) {
        if (!heap.holds(at, kNodeBytes)) {
            return false;
        }
        const bool wide =
            heap.byte(at + kTailFlagAt) == kTailFlag || heap.byte(at + kWideFlagAt) == 1;
        return !wide || heap.holds(at, kTailNodeBytes);
    };
    visit(m_nodes.field(node, kNodeListAt));
    std::vector<Pending> pending{{m_nodes.field(node, kEqualAt), depth + 1}};
    const uint32_t limit = nodeLimit();
    uint32_t visits = 0;
    while (!pending.empty()) {
        const Pending next = pending.back();
        pending.pop_back();
        if (next.node == 0) {
            continue;
        }
        if (!isNode(next.node) || ++visits > limit) {
            m_heap.bytes().setFault();
            return;
        }
        pending.push_back({heap.word(next.node + kLowerAt), next.depth});
        pending.push_back({heap.word(next.node + kHigherAt), next.depth});
        const uint32_t list =
            next.depth <= kPrefixListDepth[m_tree] ? m_prefixLists.listOf(next.node) : 0;
        if (list != 0) {
            visit(list);  // covers the node and its equal subtree
            continue;
        }
        visit(heap.word(next.node + kNodeListAt));
        pending.push_back({heap.word(next.node + kEqualAt), next.depth + 1});
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
