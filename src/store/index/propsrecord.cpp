#include "store/index/propsrecord.h"

#include <array>
#include <functional>

namespace kontavo {

namespace {

constexpr uint32_t kLengthAt = 0;
constexpr uint32_t kChecksumAt = 4;
constexpr uint32_t kFormatsAt = 8;  // home, work, other
constexpr uint32_t kOffsetsAt = 20;
// Ten offsets: the six pair sections, Messengers, Addresses, Dates, Image.
constexpr int kPairSections = 6;
constexpr int kMessengers = 6;
constexpr int kAddresses = 7;
constexpr int kDates = 8;
constexpr int kImage = 9;
constexpr int kOffsetCount = 10;

// Address entry fields.
constexpr uint32_t kAddressCodeAt = 4;
constexpr uint32_t kSlotOffsetsAt = 8;
constexpr uint32_t kAddressLabelAt = 28;
constexpr uint32_t kFirstSlotGap = 4;  // slot 0 starts 4 bytes after the label's text
// Date entry fields.
constexpr uint32_t kDateTimeAt = 4;
constexpr uint32_t kDateLabelAt = 12;

// Smallest entries that hold their fixed fields and empty strings.
constexpr uint32_t kMinPairBytes = 8;
constexpr uint32_t kMinMessengerBytes = 12;
constexpr uint32_t kMinAddressBytes = 32;
constexpr uint32_t kMinDateBytes = 16;

QStringView stored(QStringView text) {
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

uint32_t lengthOf(QStringView text) {
    return uint32_t(stored(text).size());
}

const QList<LabeledValue>& pairSection(const ExtendedProperties& p, int section) {
    const std::array<const QList<LabeledValue>*, kPairSections> lists = {
        &p.phones, &p.emails, &p.webPages, &p.people, &p.links, &p.otherProps};
    return *lists[size_t(section)];
}

QList<LabeledValue>& pairSection(ExtendedProperties& p, int section) {
    return const_cast<QList<LabeledValue>&>(
        pairSection(static_cast<const ExtendedProperties&>(p), section));
}

// Appends little-endian words and NUL-terminated UTF-16 strings.
class RecordWriter {
public:
    uint32_t size() const { return uint32_t(m_bytes.size()); }
    void word(uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            m_bytes.append(char(value >> (8 * i)));
        }
    }
    void setWord(uint32_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            m_bytes[at + i] = char(value >> (8 * i));
        }
    }
    void string(QStringView text) {
        for (QChar c : stored(text)) {
            m_bytes.append(char(c.unicode() & 0xFF));
            m_bytes.append(char(c.unicode() >> 8));
        }
        m_bytes.append(2, '\0');
    }
    // Pads with zeros up to `offset` (an entry's end).
    void padTo(uint32_t offset) {
        if (offset > size()) {
            m_bytes.append(qsizetype(offset - size()), '\0');
        }
    }
    QByteArray take() { return std::move(m_bytes); }

private:
    QByteArray m_bytes;
};

void writePair(RecordWriter& out, const LabeledValue& pair) {
    const uint32_t start = out.size();
    out.word(PropsRecord::pairEntryBytes(pair.label, pair.value));
    out.string(pair.label);
    out.string(pair.value);
    out.padTo(start + PropsRecord::pairEntryBytes(pair.label, pair.value));
}

void writeMessenger(RecordWriter& out, const MessengerEntry& messenger) {
    const uint32_t start = out.size();
    out.word(PropsRecord::messengerEntryBytes(messenger));
    out.string(messenger.label);
    out.string(messenger.account);
    out.string(messenger.type);
    out.padTo(start + PropsRecord::messengerEntryBytes(messenger));
}

void writeAddress(RecordWriter& out, const ExtendedAddress& address) {
    const uint32_t start = out.size();
    out.word(PropsRecord::addressEntryBytes(address));
    out.word(address.formatCode);
    uint32_t slot = kAddressLabelAt + 2 * lengthOf(address.label) + kFirstSlotGap;
    for (const QString& part : address.parts) {
        out.word(slot);
        slot += 2 * (lengthOf(part) + 1);
    }
    out.string(address.label);
    out.padTo(start + kAddressLabelAt + 2 * lengthOf(address.label) + kFirstSlotGap);
    for (const QString& part : address.parts) {
        out.string(part);
    }
    out.padTo(start + PropsRecord::addressEntryBytes(address));
}

void writeDate(RecordWriter& out, const ExtendedDate& date) {
    const uint32_t start = out.size();
    out.word(PropsRecord::dateEntryBytes(date.label));
    out.word(uint32_t(date.time));
    out.word(uint32_t(date.time >> 32));
    out.string(date.label);
    out.padTo(start + PropsRecord::dateEntryBytes(date.label));
}

// Bounds-checked reads from a record whose length is already checked.
class RecordReader {
public:
    explicit RecordReader(QByteArrayView bytes) : m_bytes(bytes) {}

    uint32_t size() const { return uint32_t(m_bytes.size()); }
    std::optional<uint32_t> word(uint64_t at) const {
        if (at + 4 > uint64_t(m_bytes.size())) {
            return std::nullopt;
        }
        const auto* p = reinterpret_cast<const uint8_t*>(m_bytes.data()) + at;
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    }
    // The NUL-terminated string at `at`, which must end before `end`;
    // `next` gets the offset after its NUL.
    std::optional<QString> string(uint64_t at, uint64_t end, uint64_t* next = nullptr) const {
        end = std::min<uint64_t>(end, uint64_t(m_bytes.size()));
        const auto* p = reinterpret_cast<const uint8_t*>(m_bytes.data());
        QString text;
        for (uint64_t i = at; i + 2 <= end; i += 2) {
            const char16_t c = char16_t(p[i] | p[i + 1] << 8);
            if (c == 0) {
                if (next != nullptr) {
                    *next = i + 2;
                }
                return text;
            }
            text.append(QChar(c));
        }
        return std::nullopt;
    }

private:
    QByteArrayView m_bytes;
};

using EntryParser = std::function<bool(uint32_t start, uint32_t end)>;

// Walks the entries of one section; false when a size is too small, not a
// multiple of 4 or runs past the section, or when `parse` fails.
bool forEachEntry(const RecordReader& in, uint32_t begin, uint32_t end, uint32_t minBytes,
                  const EntryParser& parse) {
    for (uint32_t at = begin; at < end;) {
        const auto size = in.word(at);
        if (!size || *size < minBytes || *size % 4 != 0 || *size > end - at ||
            !parse(at, at + *size)) {
            return false;
        }
        at += *size;
    }
    return true;
}

bool readPair(const RecordReader& in, uint32_t start, uint32_t end, QList<LabeledValue>& out) {
    uint64_t next = 0;
    const auto label = in.string(start + 4, end, &next);
    const auto value = label ? in.string(next, end) : std::nullopt;
    if (!value) {
        return false;
    }
    out.append({*label, *value});
    return true;
}

bool readMessenger(const RecordReader& in, uint32_t start, uint32_t end,
                   QList<MessengerEntry>& out) {
    uint64_t next = 0;
    const auto label = in.string(start + 4, end, &next);
    const auto account = label ? in.string(next, end, &next) : std::nullopt;
    const auto type = account ? in.string(next, end) : std::nullopt;
    if (!type) {
        return false;
    }
    out.append({*label, *account, *type});
    return true;
}

bool readAddress(const RecordReader& in, uint32_t start, uint32_t end,
                 QList<ExtendedAddress>& out) {
    ExtendedAddress address;
    address.formatCode = in.word(start + kAddressCodeAt).value_or(0);
    const auto label = in.string(start + kAddressLabelAt, end);
    if (!label) {
        return false;
    }
    address.label = *label;
    for (int slot = 0; slot < ExtendedAddress::kSlotCount; ++slot) {
        const auto offset = in.word(start + kSlotOffsetsAt + 4 * uint32_t(slot));
        const auto part = offset && *offset >= kAddressLabelAt
                              ? in.string(uint64_t(start) + *offset, end)
                              : std::nullopt;
        if (!part) {
            return false;
        }
        address.parts[size_t(slot)] = *part;
    }
    out.append(address);
    return true;
}

bool readDate(const RecordReader& in, uint32_t start, uint32_t end, QList<ExtendedDate>& out) {
    const auto low = in.word(start + kDateTimeAt);
    const auto high = in.word(start + kDateTimeAt + 4);
    const auto label = in.string(start + kDateLabelAt, end);
    if (!low || !high || !label) {
        return false;
    }
    out.append({*label, FileTime(*low) | FileTime(*high) << 32});
    return true;
}

// The record's length and its ten section offsets, checked to lie in order
// inside the record; nullopt otherwise.
std::optional<std::array<uint32_t, kOffsetCount>> sectionOffsets(const RecordReader& in) {
    std::array<uint32_t, kOffsetCount> offsets{};
    uint32_t previous = PropsRecord::kHeadBytes;
    for (int i = 0; i < kOffsetCount; ++i) {
        const auto offset = in.word(kOffsetsAt + 4 * uint32_t(i));
        if (!offset || *offset < previous || *offset > in.size()) {
            return std::nullopt;
        }
        offsets[size_t(i)] = previous = *offset;
    }
    return offsets;
}

// The record cut to the length it gives itself; nullopt when that length
// is shorter than the head or longer than the bytes.
std::optional<QByteArrayView> ownBytes(QByteArrayView record) {
    const auto length = RecordReader(record).word(kLengthAt);
    if (!length || *length < PropsRecord::kHeadBytes || *length > uint64_t(record.size())) {
        return std::nullopt;
    }
    return record.first(qsizetype(*length));
}

}  // namespace

uint32_t PropsRecord::pairEntryBytes(QStringView label, QStringView value) {
    return (2 * (lengthOf(label) + lengthOf(value)) + 13) & ~3u;
}

uint32_t PropsRecord::messengerEntryBytes(const MessengerEntry& messenger) {
    return (2 * (lengthOf(messenger.label) + lengthOf(messenger.account) +
                 lengthOf(messenger.type)) +
            15) &
           ~3u;
}

uint32_t PropsRecord::addressEntryBytes(const ExtendedAddress& address) {
    uint32_t bytes = 2 * lengthOf(address.label) + 2 * lengthOf(address.parts[4]) + 37;
    for (int slot = 0; slot < 4; ++slot) {
        bytes += 2 * (lengthOf(address.parts[size_t(slot)]) + 1);
    }
    return bytes & ~3u;
}

uint32_t PropsRecord::dateEntryBytes(QStringView label) {
    return (2 * lengthOf(label) + 19) & ~3u;
}

QByteArray PropsRecord::encode(const ExtendedProperties& properties) {
    RecordWriter out;
    out.word(0);  // length, set at the end
    out.word(properties.checksum);
    out.word(properties.homeAddressFormat);
    out.word(properties.workAddressFormat);
    out.word(properties.otherAddressFormat);
    out.padTo(kHeadBytes);
    const auto startSection = [&out](int section) {
        out.setWord(kOffsetsAt + 4 * uint32_t(section), out.size());
    };
    for (int section = 0; section < kPairSections; ++section) {
        startSection(section);
        for (const LabeledValue& pair : pairSection(properties, section)) {
            writePair(out, pair);
        }
    }
    startSection(kMessengers);
    for (const MessengerEntry& messenger : properties.messengers) {
        writeMessenger(out, messenger);
    }
    startSection(kAddresses);
    for (const ExtendedAddress& address : properties.addresses) {
        writeAddress(out, address);
    }
    startSection(kDates);
    for (const ExtendedDate& date : properties.dates) {
        writeDate(out, date);
    }
    startSection(kImage);
    if (!stored(properties.image).isEmpty()) {
        out.string(properties.image);
    }
    out.setWord(kLengthAt, out.size());
    return out.take();
}

std::optional<ExtendedProperties> PropsRecord::decode(QByteArrayView record) {
    const auto bytes = ownBytes(record);
    if (!bytes) {
        return std::nullopt;
    }
    const RecordReader in(*bytes);
    const auto offsets = sectionOffsets(in);
    if (!offsets) {
        return std::nullopt;
    }
    ExtendedProperties p;
    p.checksum = in.word(kChecksumAt).value_or(0);
    p.homeAddressFormat = in.word(kFormatsAt).value_or(0);
    p.workAddressFormat = in.word(kFormatsAt + 4).value_or(0);
    p.otherAddressFormat = in.word(kFormatsAt + 8).value_or(0);
    const auto section = [&](int i, uint32_t minBytes, const EntryParser& parse) {
        return forEachEntry(in, (*offsets)[size_t(i)], (*offsets)[size_t(i) + 1], minBytes, parse);
    };
    for (int i = 0; i < kPairSections; ++i) {
        QList<LabeledValue>& list = pairSection(p, i);
        if (!section(i, kMinPairBytes,
                     [&](uint32_t s, uint32_t e) { return readPair(in, s, e, list); })) {
            return std::nullopt;
        }
    }
    const bool sectionsRead =
        section(kMessengers, kMinMessengerBytes,
                [&](uint32_t s, uint32_t e) { return readMessenger(in, s, e, p.messengers); }) &&
        section(kAddresses, kMinAddressBytes,
                [&](uint32_t s, uint32_t e) { return readAddress(in, s, e, p.addresses); }) &&
        section(kDates, kMinDateBytes,
                [&](uint32_t s, uint32_t e) { return readDate(in, s, e, p.dates); });
    const auto image = imageOf(*bytes);
    if (!sectionsRead || !image) {
        return std::nullopt;
    }
    p.image = *image;
    return p;
}

std::optional<uint32_t> PropsRecord::checksumOf(QByteArrayView record) {
    if (record.size() < qsizetype(kHeadBytes)) {
        return std::nullopt;
    }
    return RecordReader(record).word(kChecksumAt);
}

std::optional<QString> PropsRecord::imageOf(QByteArrayView record) {
    const auto bytes = ownBytes(record);
    if (!bytes) {
        return std::nullopt;
    }
    const RecordReader in(*bytes);
    const auto at = in.word(kOffsetsAt + 4 * kImage);
    if (!at || *at < kHeadBytes || *at > in.size()) {
        return std::nullopt;
    }
    return *at == in.size() ? std::optional<QString>(QString()) : in.string(*at, in.size());
}

}  // namespace kontavo
