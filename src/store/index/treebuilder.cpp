#include "store/index/treebuilder.h"

#include <algorithm>
#include <bit>

#include "store/index/indexlayout.h"
#include "store/index/treenodes.h"

namespace kontavo {

using namespace indexlayout;

TreeBuilder::TreeBuilder(IndexHeap& heap, HeapCursor& cursor, int tree, const WordPostings& words,
                         std::span<const uint32_t> oids)
    : m_heap(heap),
      m_bytes(heap.bytes()),
      m_cursor(cursor),
      m_tree(tree),
      m_words(words),
      m_oids(oids) {}

void TreeBuilder::build() {
    const uint32_t count = uint32_t(m_words.wordCount());
    if (count == 0) {
        m_bytes.setWord(kRootAt[m_tree], m_cursor.take(4));
        m_bytes.setWord(kMapAt[m_tree], m_cursor.take(4));
        m_heap.setSpaceWord(kSpaceDirectoryAt[m_tree], 0);
        return;
    }
    m_nodeOf.assign(count, 0);
    m_marks.assign((m_oids.size() + 63) / 64, 0);
    std::vector<Task> pending{{0, count, 0, 0, kRootAt[m_tree]}};
    while (!pending.empty()) {
        const Task task = pending.back();
        pending.pop_back();
        buildNode(task, pending);
    }
    if (!m_prefixNodes.empty()) {
        m_heap.setSpaceWord(kSpaceDirectoryAt[m_tree],
                            m_cursor.writeArray(m_prefixNodes, m_prefixLists));
    }
    writeRings();
}

// The node for the middle word's character: the words sharing it hang below
// its equal link (or end here, or become its tail), the words before and
// after it form its lower and higher subtrees.
void TreeBuilder::buildNode(const Task& task, std::vector<Task>& pending) {
    const uint32_t middle = task.first + (task.last - task.first) / 2;
    const char16_t c = charAt(middle, task.depth);
    // The words of a task are sorted and share `depth` characters, so the
    // characters at `depth` ascend: the group of `c` is found by bisection.
    const auto firstAtLeast = [&](uint32_t from, uint32_t to, char16_t at) {
        while (from < to) {
            const uint32_t probe = from + (to - from) / 2;
            if (charAt(probe, task.depth) < at) {
                from = probe + 1;
            } else {
                to = probe;
            }
        }
        return from;
    };
    const uint32_t groupFirst = firstAtLeast(task.first, middle, c);
    const uint32_t groupLast =
        c == 0xFFFF ? task.last : firstAtLeast(middle + 1, task.last, char16_t(c + 1));
    const std::u16string_view firstWord = m_words.word(groupFirst);
    // A word filed under many contacts gets a node per character instead of
    // a tail: another word passing through a tail moves the tail's list,
    // which means rewriting the node list of every contact on it.
    const bool single =
        groupLast - groupFirst == 1 && m_words.ranks(groupFirst).size() <= kMostOnATail;
    const uint32_t depth = task.depth + 1;  // the node's own depth
    const bool endsHere = single || firstWord.size() == depth;
    const uint32_t node =
        writeNode(task.parent, c, single ? firstWord.substr(depth) : std::u16string_view());
    m_bytes.setWord(task.linkAt, node);
    if (endsHere) {
        m_bytes.setWord(node + kNodeListAt, writeOids(m_words.ranks(groupFirst)));
        m_nodeOf[groupFirst] = node;
    }
    if (depth <= kPrefixListDepth[m_tree]) {
        writePrefixList(node, groupFirst, groupLast);
    }
    if (groupLast < task.last) {
        pending.push_back({groupLast, task.last, task.depth, node, node + kHigherAt});
    }
    if (task.first < groupFirst) {
        pending.push_back({task.first, groupFirst, task.depth, node, node + kLowerAt});
    }
    const uint32_t below = groupFirst + (endsHere ? 1 : 0);
    if (!single && below < groupLast) {
        pending.push_back({below, groupLast, depth, node, node + kEqualAt});
    }
}

uint32_t TreeBuilder::writeNode(uint32_t parent, char16_t c, std::u16string_view tail) {
    const uint32_t node = m_cursor.take(tail.empty() ? kNodeBytes : kTailNodeBytes);
    m_bytes.setWord(node + kParentAt, parent);
    m_bytes.setHalf(node + kCharAt, c);
    if (!tail.empty()) {
        const uint32_t text = m_cursor.take(TreeNodes::tailBytes(qsizetype(tail.size())));
        for (size_t i = 0; i < tail.size(); ++i) {
            m_bytes.setHalf(text + uint32_t(2 * i), tail[i]);
        }
        m_bytes.setByte(node + kTailFlagAt, kTailFlag);
        m_bytes.setWord(node + kTailAt, text);
    }
    return node;
}

uint32_t TreeBuilder::writeOids(std::span<const uint32_t> ranks) {
    m_scratch.resize(ranks.size());
    for (size_t i = 0; i < ranks.size(); ++i) {
        m_scratch[i] = m_oids[ranks[i]];
    }
    return m_cursor.writeArray(m_scratch);
}

// Every contact filed under the words [first, last): the node's word and the
// words below its equal link.
void TreeBuilder::writePrefixList(uint32_t node, uint32_t first, uint32_t last) {
    for (uint32_t word = first; word < last; ++word) {
        for (uint32_t rank : m_words.ranks(word)) {
            m_marks[rank / 64] |= uint64_t(1) << (rank % 64);
        }
    }
    m_scratch.clear();
    for (size_t block = 0; block < m_marks.size(); ++block) {
        for (uint64_t bits = m_marks[block]; bits != 0; bits &= bits - 1) {
            m_scratch.push_back(m_oids[64 * block + size_t(std::countr_zero(bits))]);
        }
        m_marks[block] = 0;
    }
    m_prefixNodes.push_back(node);
    m_prefixLists.push_back(m_cursor.writeArray(m_scratch));
}

// Each contact's ring of 92-byte chunks naming the nodes its words end at,
// and the Oid map from each contact with a word to its ring.
void TreeBuilder::writeRings() {
    std::vector<uint32_t> mapOids;
    std::vector<uint32_t> mapRings;
    for (uint32_t rank = 0; rank < m_oids.size(); ++rank) {
        const std::span<const uint32_t> words = m_words.wordsOfRank(rank);
        if (words.empty()) {
            continue;
        }
        const uint32_t chunks = uint32_t((words.size() + kChunkSlots - 1) / kChunkSlots);
        std::vector<uint32_t> offsets(chunks);
        for (uint32_t& chunk : offsets) {
            chunk = m_cursor.take(kChunkBytes);
        }
        for (uint32_t i = 0; i < chunks; ++i) {
            const uint32_t chunk = offsets[i];
            m_bytes.setWord(chunk + kChunkNextAt, offsets[(i + 1) % chunks]);
            m_bytes.setWord(chunk + kChunkPrevAt, offsets[(i + chunks - 1) % chunks]);
            const uint32_t filled =
                std::min<uint32_t>(kChunkSlots, uint32_t(words.size()) - i * kChunkSlots);
            m_bytes.setWord(chunk + kChunkCountAt, filled);
            for (uint32_t slot = 0; slot < filled; ++slot) {
                m_bytes.setWord(chunk + kChunkSlotsAt + 4 * slot,
                                m_nodeOf[words[i * kChunkSlots + slot]]);
            }
        }
        mapOids.push_back(m_oids[rank]);
        mapRings.push_back(offsets.front());
    }
    m_bytes.setWord(kMapAt[m_tree], m_cursor.writeArray(mapOids, mapRings));
}

}  // namespace kontavo
