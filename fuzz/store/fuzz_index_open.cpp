// Fuzz target: opening, checking, searching and changing index files made of
// arbitrary bytes. The first byte chooses which changes are tried; the rest is
// read as the index store ("pim_index1.dat" data), as the property store
// ("pim_index2.dat" data) and as a whole file with its trailer. Nothing may
// read or write outside the bytes given (plus the room a store may grow into).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "diag/fatal.h"
#include "store/indexstore.h"
#include "store/mappedstore.h"
#include "store/propsstore.h"

using namespace kontavo;

namespace {

// Room for one growth step of either store.
constexpr uint32_t kGrowthRoom = 110000;
constexpr uint32_t kMaxInput = 1 << 20;

// A store's memory in a buffer kept across runs: allocating and clearing a
// fresh one for every input costs more than the run itself.
class ReusedMemory final : public StoreMemory {
public:
    void reset(const uint8_t* bytes, uint32_t size) {
        static std::vector<uint8_t> storage(kMaxInput + kGrowthRoom);
        m_bytes = storage.data();
        m_capacity = size + kGrowthRoom;
        std::memcpy(m_bytes, bytes, size);
        std::memset(m_bytes + size, 0, kGrowthRoom);
        m_size = size;
    }
    uint8_t* data() override { return m_bytes; }
    const uint8_t* data() const override { return m_bytes; }
    uint32_t size() const override { return m_size; }
    uint32_t capacity() const override { return m_capacity; }
    bool resize(uint32_t newSize) override {
        if (newSize > m_capacity) {
            return false;
        }
        m_size = newSize;
        return true;
    }

private:
    uint8_t* m_bytes = nullptr;
    uint32_t m_size = 0;
    uint32_t m_capacity = 0;
};

void walkIndex(IndexStore& index) {
    QString problem;
    (void)index.check(&problem);
    for (auto tree : {IndexStore::Tree::Words, IndexStore::Tree::Groups}) {
        for (const char16_t* prefix : {u"a", u"ab", u"~7", u"\u0434", u""}) {
            (void)index.findPrefix(tree, prefix, 1);
        }
        (void)index.findAll(tree, {QStringLiteral("a"), QStringLiteral("b")});
        int words = 0;
        index.forEachWord(tree, [&](const QString&, const std::vector<Oid>&) { ++words; });
    }
    const auto records = index.records();
    for (size_t i = 0; i < records.size() && i < 4; ++i) {
        (void)index.wordsOf(IndexStore::Tree::Words, records[i].first);
        (void)index.recordOf(records[i].first);
    }
}

void changeIndex(IndexStore& index, uint8_t choice) {
    const std::vector<Oid> all = index.oids(0);
    if (!all.empty() && (choice & 2)) {
        index.removeContact(all[choice % all.size()]);
    }
    index.insertWord(IndexStore::Tree::Words, u"abc", 7);
    index.insertWord(IndexStore::Tree::Groups, u"ad", 7);
    index.addContact(7, 28);
    if (choice & 4) {
        index.removeContact(7);
    }
    if (choice & 8) {
        index.clearWords();
    }
    (void)index.findPrefix(IndexStore::Tree::Words, u"a");
}

void walkProps(PropsStore& props, uint8_t choice) {
    for (uint32_t record : props.records()) {
        (void)props.read(record);
    }
    if (choice & 16) {
        const auto added = props.insert(QByteArray(200, 'x'));
        const auto records = props.records();
        if (!records.empty()) {
            props.rewrite(records.front(), QByteArray(int(choice), 'y'));
            props.remove(records.back());
        }
        if (added) {
            (void)props.read(*added);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size > kMaxInput) {
        return 0;
    }
    const uint8_t choice = data[0];
    const uint32_t length = uint32_t(size - 1);
    (void)MappedStore::isValidFile(data + 1, length);
    ReusedMemory memory;
    try {
        memory.reset(data + 1, length);
        IndexStore index(memory);
        if (index.open()) {
            walkIndex(index);
            if (choice & 1) {
                changeIndex(index, choice);
                walkIndex(index);
            }
        }
        memory.reset(data + 1, length);
        PropsStore props(memory);
        (void)props.read(28);
        if (props.open()) {
            walkProps(props, choice);
        }
    } catch (const FatalError&) {
        // A store that cannot grow ends the program by design.
    }
    return 0;
}
