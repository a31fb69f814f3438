#include "store/index/indexstore.h"

#include <QtEndian>
#include <algorithm>
#include <bit>

#include "store/index/indexchecker.h"
#include "store/index/indexlayout.h"
#include "store/index/sortedarray.h"
#include "store/index/treereader.h"
#include "store/index/wordtree.h"

namespace kontavo {

using namespace indexlayout;

namespace {

constexpr uint32_t kSmallStore = 10240;
constexpr uint32_t kSmallStoreSize = 10284;

int treeIndex(IndexStore::Tree tree) {
    return tree == IndexStore::Tree::Words ? 0 : 1;
}
bool isList(int list) {
    return list == 0 || list == 1;
}

std::vector<Oid> intersect(const std::vector<Oid>& a, const std::vector<Oid>& b) {
    std::vector<Oid> both;
    std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(both));
    return both;
}

}  // namespace

IndexStore::IndexStore(StoreMemory& memory) : m_memory(memory), m_bytes(memory), m_heap(m_bytes) {}

uint32_t IndexStore::sizeFor(uint32_t expectedBytes) {
    if (expectedBytes < kSmallStore) {
        return kSmallStoreSize;
    }
    return uint32_t(std::min<uint64_t>((uint64_t(expectedBytes) + 47) & ~3ull, ~3u));
}

bool IndexStore::initialise() {
    m_bytes.clearFault();
    m_cache = LookupCache();
    m_deepListsDropped = true;  // none in a new store
    if (m_memory.size() < kHeapStart + 64 && !m_memory.resize(kSmallStoreSize)) {
        return false;
    }
    m_bytes.fill(0, 0, m_memory.size());
    m_bytes.setWord(kMagicAt, kMagic);
    m_bytes.setWord(kVersionAt, kVersion);
    m_heap.initialise();
    WordTree(m_heap, 0).initialise();
    WordTree(m_heap, 1).initialise();
    SortedArray oids(m_heap, 1);
    m_bytes.setWord(kListAt[0], oids.create({}));
    m_bytes.setWord(kListAt[1], oids.create({}));
    m_bytes.setWord(kRecordMapAt, SortedArray(m_heap, 2).create({}));
    m_open = !m_bytes.fault();
    return m_open;
}

bool IndexStore::open() {
    m_bytes.clearFault();
    m_cache = LookupCache();
    m_deepListsDropped = false;
    m_open = m_memory.size() >= kHeaderBytes && headerWord(kMagicAt) == kMagic &&
             headerWord(kVersionAt) == kVersion;
    return m_open;
}

// A store without this program's space table is rebuilt in its layout from
// what can be read of it before the first change; one of an earlier build
// loses the prefix lists this build would let go stale.
bool IndexStore::writable() {
    if (!m_open || m_bytes.fault()) {
        return false;
    }
    if (!m_heap.isValid()) {
        return adopt();
    }
    if (!m_deepListsDropped) {
        m_deepListsDropped = true;
        WordTree(m_heap, 0).dropDeepPrefixLists();
        WordTree(m_heap, 1).dropDeepPrefixLists();
    }
    return !m_bytes.fault();
}

bool IndexStore::adopt() {
    struct Word {
        int tree;
        QString text;
        std::vector<Oid> oids;
    };
    std::vector<Word> words;
    for (int tree = 0; tree < 2; ++tree) {
        forEachWord(Tree(tree), [&](const QString& text, const std::vector<Oid>& oids) {
            words.push_back({tree, text, oids});
        });
    }
    const std::vector<Oid> listed[2] = {oids(0), oids(1)};
    const auto filed = records();
    if (!initialise()) {
        return false;
    }
    for (const Word& word : words) {
        for (Oid oid : word.oids) {
            WordTree(m_heap, word.tree).insert(word.text, oid);
        }
    }
    for (int list = 0; list < 2; ++list) {
        for (Oid oid : listed[list]) {
            setListed(list, oid, true);
        }
    }
    for (const auto& [oid, record] : filed) {
        m_bytes.setWord(kRecordMapAt,
                        SortedArray(m_heap, 2).insert(headerWord(kRecordMapAt), oid, record));
    }
    return finish();
}

bool IndexStore::finish() {
    m_heap.setSpaceWord(kSpaceChangeAt, m_heap.spaceWord(kSpaceChangeAt) + 1);
    return !m_bytes.fault();
}

bool IndexStore::addContact(Oid oid, uint32_t record) {
    if (!writable()) {
        return false;
    }
    m_bytes.setWord(kRecordMapAt,
                    SortedArray(m_heap, 2).insert(headerWord(kRecordMapAt), oid, record));
    return setListed(kAllContacts, oid, true);
}

std::optional<uint32_t> IndexStore::recordOf(Oid oid) const {
    SortedArray map(const_cast<IndexHeap&>(m_heap), 2);
    const uint32_t offset = headerWord(kRecordMapAt);
    const auto index = map.find(offset, oid);
    return index ? std::optional<uint32_t>(map.at(offset, *index, 1)) : std::nullopt;
}

uint32_t IndexStore::recordCount() const {
    return SortedArray(const_cast<IndexHeap&>(m_heap), 2).count(headerWord(kRecordMapAt));
}

std::vector<std::pair<Oid, uint32_t>> IndexStore::records() const {
    SortedArray map(const_cast<IndexHeap&>(m_heap), 2);
    const uint32_t offset = headerWord(kRecordMapAt);
    std::vector<std::pair<Oid, uint32_t>> found;
    const uint32_t count = map.count(offset);
    for (uint32_t i = 0; i < count; ++i) {
        found.emplace_back(map.at(offset, i, 0), map.at(offset, i, 1));
    }
    return found;
}

bool IndexStore::removeContact(Oid oid) {
    if (!writable()) {
        return false;
    }
    WordTree(m_heap, 0).remove(oid);
    WordTree(m_heap, 1).remove(oid);
    setListed(0, oid, false);
    setListed(1, oid, false);
    m_bytes.setWord(kRecordMapAt,
                    SortedArray(m_heap, 2).remove(headerWord(kRecordMapAt), oid, true));
    return finish();
}

bool IndexStore::setListed(int list, Oid oid, bool listed) {
    if (!isList(list) || !writable()) {
        return false;
    }
    SortedArray oids(m_heap, 1);
    const uint32_t offset = headerWord(kListAt[list]);
    m_bytes.setWord(kListAt[list],
                    listed ? oids.insert(offset, oid) : oids.remove(offset, oid, true));
    return finish();
}

std::vector<Oid> IndexStore::oids(int list) const {
    if (!isList(list)) {
        return {};
    }
    return SortedArray(const_cast<IndexHeap&>(m_heap), 1).keys(headerWord(kListAt[list]));
}

bool IndexStore::insertWord(Tree tree, QStringView word, Oid oid) {
    if (word.isEmpty() || word.contains(QChar(0)) || !writable()) {
        return false;
    }
    WordTree(m_heap, treeIndex(tree)).insert(word, oid);
    return finish();
}

bool IndexStore::removeWords(Tree tree, Oid oid) {
    if (!writable()) {
        return false;
    }
    WordTree(m_heap, treeIndex(tree)).remove(oid);
    return finish();
}

bool IndexStore::clearWords() {
    if (!writable()) {
        return false;
    }
    WordTree(m_heap, 0).clear();
    WordTree(m_heap, 1).clear();
    return finish();
}

std::vector<Oid> IndexStore::findPrefix(Tree tree, QStringView prefix,
                                        std::optional<int> narrowTo) const {
    std::vector<Oid> found;
    findPrefix(tree, prefix, found, narrowTo);
    return found;
}

void IndexStore::findPrefix(Tree tree, QStringView prefix, std::vector<Oid>& out,
                            std::optional<int> narrowTo) const {
    out.clear();
    if (!m_open) {
        return;
    }
    if (const std::vector<Oid>* cached = cachedLookup(treeIndex(tree), prefix)) {
        out = *cached;
    } else {
        TreeReader(m_heap, treeIndex(tree)).find(prefix, out);
    }
    if (narrowTo) {
        out = intersect(out, oids(*narrowTo));
    }
}

// Short prefixes below the prefix lists' depth are answered by walking their
// subtree once; the result then serves until the store changes.
const std::vector<Oid>* IndexStore::cachedLookup(int tree, QStringView prefix) const {
    if (prefix.size() <= qsizetype(kPrefixListDepth[tree]) || prefix.size() > kCachedPrefixLength ||
        !m_heap.isValid()) {
        return nullptr;
    }
    makeCacheRoom(1);
    auto& results = m_cache.results[tree];
    const QString key = prefix.toString();
    if (const auto hit = results.find(key); hit != results.end()) {
        return &hit->second;
    }
    std::vector<Oid>& found = results[key];
    TreeReader(m_heap, tree).find(prefix, found);
    return &found;
}

// Drops the cached results when the store changed, or when fewer than
// `room` more would fit; results kept stay in place until the next call.
void IndexStore::makeCacheRoom(size_t room) const {
    const uint32_t changes = m_heap.spaceWord(kSpaceChangeAt);
    if (changes != m_cache.changeCount) {
        m_cache.results[0].clear();
        m_cache.results[1].clear();
        m_cache.changeCount = changes;
    }
    for (auto& results : m_cache.results) {
        if (results.size() + room > kCachedResults) {
            results.clear();
        }
    }
}

// Every prefix's lists are gathered first; the union of the one with the
// fewest entries is taken, and the others narrow it from the smallest up.
std::vector<Oid> IndexStore::findAll(Tree tree, const QStringList& prefixes,
                                     std::optional<int> narrowTo) const {
    std::vector<Oid> found;
    findAll(tree, prefixes, found, narrowTo);
    return found;
}

void IndexStore::findAll(Tree tree, const QStringList& prefixes, std::vector<Oid>& found,
                         std::optional<int> narrowTo) const {
    found.clear();
    if (!m_open) {
        return;
    }
    if (prefixes.isEmpty()) {
        found = oids(narrowTo.value_or(kAllContacts));
        return;
    }
    if (prefixes.size() == 1) {
        findPrefix(tree, prefixes.front(), found, narrowTo);
        return;
    }
    const TreeReader reader(m_heap, treeIndex(tree));
    // The cached results used below must stay put until the end.
    const bool useCache = size_t(prefixes.size()) < kCachedResults;
    if (useCache) {
        makeCacheRoom(size_t(prefixes.size()));
    }
    std::vector<Term> terms(size_t(prefixes.size()));
    for (qsizetype i = 0; i < prefixes.size(); ++i) {
        Term& term = terms[size_t(i)];
        const std::vector<Oid>* cached =
            useCache ? cachedLookup(treeIndex(tree), prefixes[i]) : nullptr;
        if (cached == nullptr && prefixes[i].isEmpty()) {
            term.own = reader.find(prefixes[i]);
            cached = &term.own;
        }
        if (cached != nullptr) {
            term.addSorted(*cached);
        } else if (!reader.gather(prefixes[i], term.lists)) {
            return;
        }
    }
    std::sort(terms.begin(), terms.end(),
              [](const Term& a, const Term& b) { return a.lists.entries() < b.lists.entries(); });
    terms.front().lists.take(found);
    for (size_t i = 1; i < terms.size() && !found.empty(); ++i) {
        terms[i].lists.keepIn(found);
    }
    if (narrowTo) {
        found = intersect(found, oids(*narrowTo));
    }
}

void IndexStore::Term::addSorted(const std::vector<Oid>& oids) {
    const std::vector<Oid>* words = &oids;
    if constexpr (std::endian::native != std::endian::little) {
        littleEndian.resize(oids.size());
        qToLittleEndian<uint32_t>(oids.data(), qsizetype(oids.size()), littleEndian.data());
        words = &littleEndian;
    }
    lists.add(reinterpret_cast<const uint8_t*>(words->data()), uint32_t(words->size()));
}

QStringList IndexStore::wordsOf(Tree tree, Oid oid) const {
    return m_open ? TreeReader(m_heap, treeIndex(tree)).wordsOf(oid) : QStringList();
}

void IndexStore::forEachWord(
    Tree tree, const std::function<void(const QString&, const std::vector<Oid>&)>& visit) const {
    if (!m_open) {
        return;
    }
    SortedArray lists(const_cast<IndexHeap&>(m_heap), 1);
    TreeReader(m_heap, treeIndex(tree)).forEachWord([&](const QString& word, uint32_t list) {
        visit(word, lists.keys(list));
    });
}

IndexStore::Usage IndexStore::usage() const {
    if (!m_open || !m_heap.isValid()) {
        return {m_memory.size(), 0, 0};
    }
    return {m_memory.size(), m_heap.top(), m_heap.freeBytes()};
}

bool IndexStore::check(QString* problem) const {
    if (!m_open) {
        if (problem != nullptr) {
            *problem = QStringLiteral("store not open");
        }
        return false;
    }
    return IndexChecker(m_heap).run(problem);
}

}  // namespace kontavo
