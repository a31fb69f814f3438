#include "store/index/propsstore.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace kontavo {

namespace {

// Header fields.
constexpr uint32_t kMagicAt = 0;
constexpr uint32_t kVersionAt = 4;
constexpr uint32_t kTimeAt = 8;
constexpr uint32_t kBusyAt = 16;
constexpr uint32_t kHeadAt = 20;
constexpr uint32_t kCountAt = 24;
// Block fields: every block starts with the next block of its chain.
constexpr uint32_t kNextBlockAt = 0;
constexpr uint32_t kLengthAt = 4;
constexpr uint32_t kPrevRecordAt = 8;
constexpr uint32_t kNextRecordAt = 12;
constexpr uint32_t kFirstDataAt = 16;
constexpr uint32_t kNextDataAt = 4;

uint32_t roundUp4(uint64_t value) {
    return uint32_t(std::min<uint64_t>((value + 3) & ~3ull, ~3u));
}

}  // namespace

PropsStore::PropsStore(StoreMemory& memory) : m_memory(memory), m_bytes(memory) {}

uint32_t PropsStore::blocksFor(uint32_t length) {
    if (length <= kFirstBlockData) {
        return 1;
    }
    return 1 + (length - kFirstBlockData + kNextBlockData - 1) / kNextBlockData;
}

uint32_t PropsStore::sizeFor(uint32_t expectedBytes) {
    const uint64_t n = expectedBytes;
    return roundUp4(std::max<uint64_t>(kMinimumSize, n + n / 100 + 40));
}

uint32_t PropsStore::grownSize(uint32_t size, uint32_t neededBytes) {
    const uint64_t wanted = uint64_t(size) + neededBytes;
    return roundUp4((wanted * 101 + 99) / 100);
}

bool PropsStore::initialise() {
    if (m_memory.size() < kHeaderBytes) {
        return false;
    }
    m_bytes.fill(0, 0, kHeaderBytes);
    m_bytes.setWord(kMagicAt, kMagic);
    m_bytes.setWord(kVersionAt, kVersion);
    return open();
}

uint32_t PropsStore::poolBlocks() const {
    const uint32_t size = m_memory.size();
    return size < kHeaderBytes ? 0 : (size - kHeaderBytes) / kBlockBytes;
}

std::optional<uint32_t> PropsStore::blockIndex(uint32_t offset) const {
    if (offset < kHeaderBytes || (offset - kHeaderBytes) % kBlockBytes != 0) {
        return std::nullopt;
    }
    const uint32_t block = (offset - kHeaderBytes) / kBlockBytes;
    return block < poolBlocks() ? std::optional<uint32_t>(block) : std::nullopt;
}

bool PropsStore::open() {
    m_open = false;
    m_bytes.clearFault();
    if (m_memory.size() < kHeaderBytes || m_bytes.word(kMagicAt) != kMagic ||
        m_bytes.word(kVersionAt) != kVersion) {
        return false;
    }
    const uint32_t blocks = poolBlocks();
    m_pool = BlockPool(blocks);
    m_first.assign(blocks, false);
    const uint32_t total = count();
    if (total == 0 || total > blocks) {
        m_open = total == 0 && head() == 0;
        return m_open;
    }
    // The walk reads the pool directly: every offset it follows is checked
    // to name a block of the pool first.
    const uint8_t* data = m_memory.data();
    const auto word = [data](uint32_t offset) {
        uint32_t value;
        std::memcpy(&value, data + offset, 4);
        return qFromLittleEndian(value);
    };
    const auto block = [blocks](uint32_t offset) -> std::optional<uint32_t> {
        const uint32_t relative = offset - kHeaderBytes;
        if (offset < kHeaderBytes || relative % kBlockBytes != 0 ||
            relative / kBlockBytes >= blocks) {
            return std::nullopt;
        }
        return relative / kBlockBytes;
    };
    uint32_t record = head();
    for (uint32_t i = 0; i < total; ++i) {
        if (!walkRecord(record, word, block)) {
            return false;
        }
        const uint32_t next = word(record + kNextRecordAt);
        if (!block(next) || word(next + kPrevRecordAt) != record) {
            return false;
        }
        record = next;
    }
    m_open = record == head() && !m_bytes.fault();
    return m_open;
}

// Marks the chain of the record at `offset` used; false when it leaves the
// pool, meets a block already used or does not end where its length says.
template <typename Word, typename Block>
bool PropsStore::walkRecord(uint32_t offset, const Word& word, const Block& block) {
    const auto first = block(offset);
    if (!first || !m_pool.take(*first)) {
        return false;
    }
    m_first[*first] = true;
    const uint32_t length = word(offset + kLengthAt);
    if (length > MappedStore::kMaxDataBytes) {
        return false;
    }
    uint32_t at = offset;
    for (uint32_t k = 1; k < blocksFor(length); ++k) {
        at = word(at + kNextBlockAt);
        const auto next = block(at);
        if (!next || !m_pool.take(*next)) {
            return false;
        }
    }
    return word(at + kNextBlockAt) == 0;
}

uint64_t PropsStore::lastModified() const {
    return uint64_t(m_bytes.word(kTimeAt)) | uint64_t(m_bytes.word(kTimeAt + 4)) << 32;
}

void PropsStore::setLastModified(uint64_t filetime) {
    m_bytes.setWord(kTimeAt, uint32_t(filetime));
    m_bytes.setWord(kTimeAt + 4, uint32_t(filetime >> 32));
}

bool PropsStore::isBusy() const {
    return m_bytes.word(kBusyAt) != 0;
}
void PropsStore::setBusy(bool busy) {
    m_bytes.setWord(kBusyAt, busy ? 1 : 0);
}
uint32_t PropsStore::head() const {
    return m_bytes.word(kHeadAt);
}
uint32_t PropsStore::count() const {
    return m_bytes.word(kCountAt);
}

std::optional<std::vector<uint32_t>> PropsStore::chainOf(uint32_t offset) const {
    const auto first = blockIndex(offset);
    if (!first || (m_open && !m_first[*first])) {
        return std::nullopt;
    }
    const uint32_t length = m_bytes.word(offset + kLengthAt);
    const uint32_t blocks = blocksFor(std::min(length, MappedStore::kMaxDataBytes));
    if (length > MappedStore::kMaxDataBytes || blocks > poolBlocks()) {
        return std::nullopt;
    }
    std::vector<uint32_t> chain{*first};
    uint32_t at = offset;
    while (chain.size() < blocks) {
        at = m_bytes.word(at + kNextBlockAt);
        const auto block = blockIndex(at);
        if (!block) {
            return std::nullopt;
        }
        chain.push_back(*block);
    }
    return chain;
}

std::optional<QByteArray> PropsStore::read(uint32_t offset) const {
    const auto chain = chainOf(offset);
    if (!chain) {
        return std::nullopt;
    }
    const uint32_t length = m_bytes.word(offset + kLengthAt);
    QByteArray record(qsizetype(length), Qt::Uninitialized);
    uint32_t done = 0;
    for (size_t i = 0; i < chain->size() && done < length; ++i) {
        const uint32_t at = blockOffset((*chain)[i]) + (i == 0 ? kFirstDataAt : kNextDataAt);
        const uint32_t part = std::min(length - done, i == 0 ? kFirstBlockData : kNextBlockData);
        if (!m_bytes.read(at, record.data() + done, part)) {
            return std::nullopt;
        }
        done += part;
    }
    return record;
}

std::vector<uint32_t> PropsStore::records() const {
    std::vector<uint32_t> offsets;
    uint32_t record = head();
    for (uint32_t i = 0; i < count() && i <= poolBlocks() && blockIndex(record); ++i) {
        offsets.push_back(record);
        record = m_bytes.word(record + kNextRecordAt);
    }
    return offsets;
}

std::optional<std::vector<uint32_t>> PropsStore::takeBlocks(uint32_t count) {
    if (m_pool.freeCount() < count) {
        const uint32_t oldBlocks = poolBlocks();
        const uint64_t needed = uint64_t(count) * kBlockBytes;
        const uint64_t grown = (uint64_t(m_memory.size()) + needed) * 101;
        if (grown / 100 > m_memory.capacity()) {
            failMappedFile(kFatalSource);
        }
        growOrFail(m_memory, grownSize(m_memory.size(), uint32_t(needed)), kFatalSource);
        m_pool.extend(poolBlocks() - oldBlocks);
        m_first.resize(poolBlocks(), false);
    }
    return m_pool.allocate(count);
}

void PropsStore::writeChain(const std::vector<uint32_t>& blocks, const QByteArray& record) {
    const uint32_t length = uint32_t(record.size());
    uint32_t done = 0;
    for (size_t i = 0; i < blocks.size(); ++i) {
        const uint32_t at = blockOffset(blocks[i]);
        m_bytes.setWord(at + kNextBlockAt, i + 1 < blocks.size() ? blockOffset(blocks[i + 1]) : 0);
        const uint32_t dataAt = at + (i == 0 ? kFirstDataAt : kNextDataAt);
        const uint32_t room = i == 0 ? kFirstBlockData : kNextBlockData;
        const uint32_t part = std::min(length - done, room);
        m_bytes.write(dataAt, record.constData() + done, part);
        m_bytes.fill(dataAt + part, 0, room - part);
        done += part;
    }
    m_bytes.setWord(blockOffset(blocks.front()) + kLengthAt, length);
}

void PropsStore::freeBlocks(const std::vector<uint32_t>& blocks) {
    for (uint32_t block : blocks) {
        m_bytes.fill(blockOffset(block), 0, kBlockBytes);
        m_pool.release(block);
        m_first[block] = false;
    }
}

void PropsStore::link(uint32_t offset) {
    if (count() == 0) {
        m_bytes.setWord(offset + kPrevRecordAt, offset);
        m_bytes.setWord(offset + kNextRecordAt, offset);
        m_bytes.setWord(kHeadAt, offset);
    } else {
        const uint32_t first = head();
        const uint32_t last = m_bytes.word(first + kPrevRecordAt);
        m_bytes.setWord(offset + kPrevRecordAt, last);
        m_bytes.setWord(offset + kNextRecordAt, first);
        m_bytes.setWord(last + kNextRecordAt, offset);
        m_bytes.setWord(first + kPrevRecordAt, offset);
    }
    m_bytes.setWord(kCountAt, count() + 1);
}

void PropsStore::unlink(uint32_t offset) {
    if (count() <= 1) {
        m_bytes.setWord(kHeadAt, 0);
    } else {
        const uint32_t prev = m_bytes.word(offset + kPrevRecordAt);
        const uint32_t next = m_bytes.word(offset + kNextRecordAt);
        m_bytes.setWord(prev + kNextRecordAt, next);
        m_bytes.setWord(next + kPrevRecordAt, prev);
        if (head() == offset) {
            m_bytes.setWord(kHeadAt, next);
        }
    }
    m_bytes.setWord(kCountAt, count() - 1);
}

std::optional<uint32_t> PropsStore::insert(const QByteArray& record) {
    if (!m_open || uint64_t(record.size()) > MappedStore::kMaxDataBytes) {
        return std::nullopt;
    }
    const auto blocks = takeBlocks(blocksFor(uint32_t(record.size())));
    if (!blocks) {
        return std::nullopt;
    }
    writeChain(*blocks, record);
    const uint32_t offset = blockOffset(blocks->front());
    m_first[blocks->front()] = true;
    link(offset);
    return m_bytes.fault() ? std::nullopt : std::optional<uint32_t>(offset);
}

bool PropsStore::rewrite(uint32_t offset, const QByteArray& record) {
    auto chain = m_open ? chainOf(offset) : std::nullopt;
    if (!chain || uint64_t(record.size()) > MappedStore::kMaxDataBytes) {
        return false;
    }
    const uint32_t wanted = blocksFor(uint32_t(record.size()));
    if (wanted > chain->size()) {
        const auto extra = takeBlocks(wanted - uint32_t(chain->size()));
        if (!extra) {
            return false;
        }
        chain->insert(chain->end(), extra->begin(), extra->end());
    } else if (wanted < chain->size()) {
        freeBlocks(std::vector<uint32_t>(chain->begin() + wanted, chain->end()));
        chain->resize(wanted);
    }
    writeChain(*chain, record);
    return !m_bytes.fault();
}

bool PropsStore::remove(uint32_t offset) {
    const auto chain = m_open ? chainOf(offset) : std::nullopt;
    if (!chain) {
        return false;
    }
    unlink(offset);
    freeBlocks(*chain);
    return !m_bytes.fault();
}

}  // namespace kontavo
