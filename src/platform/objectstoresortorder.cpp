#include "platform/objectstoresortorder.h"

#include <QCollator>
#include <algorithm>

#include "platform/locale.h"
#include "platform/objectstorecore.h"
#include "platform/propcodec.h"

namespace kontavo {

namespace {

// The wanted property of a stored row: nullopt when absent or unreadable,
// and `external` set when its value lives in the external part.
std::optional<PropValue> sortValue(const QByteArray& props, const QByteArray* external, PropTag tag,
                                   bool& needsExternal) {
    propcodec::InlineProps decoded;
    needsExternal = false;
    if (!propcodec::decodeInline(props, {tag}, decoded) || decoded.props.isEmpty()) {
        return std::nullopt;
    }
    if (!decoded.externalSlots.isEmpty()) {
        needsExternal = external == nullptr;
        if (external == nullptr || !propcodec::resolveExternal(*external, decoded)) {
            return std::nullopt;
        }
    }
    return decoded.props.first();
}

template <typename T>
int compare3(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

bool ObjectStoreSortOrder::build(ObjectStoreCore& core, Oid db, DbError& error) {
    m_entries.clear();
    QCollator collator(Locale::user().qlocale());
    QList<Oid> withExternal;
    std::vector<std::pair<Oid, std::optional<PropValue>>> values;
    const bool read = core.rows().forEachRow(db, [&](const StoredRow& row) {
        bool needsExternal = false;
        auto value = sortValue(row.props, nullptr, m_tag, needsExternal);
        if (needsExternal) {
            withExternal.append(row.oid);
        } else {
            values.emplace_back(row.oid, std::move(value));
        }
    });
    if (!read) {
        error = core.sqliteError();
        return false;
    }
    for (Oid oid : withExternal) {
        StoredRow row;
        QByteArray external;
        bool unused = false;
        if (core.rows().rowWithExternal(db, oid, row, external) == Fetch::Found) {
            values.emplace_back(oid, sortValue(row.props, &external, m_tag, unused));
        }
    }
    m_entries.reserve(values.size());
    for (const auto& [oid, value] : values) {
        Entry entry = entryFor(oid, value);
        if (entry.present && value->type() == PropType::String) {
            entry.key = collator.sortKey(entry.text);
        }
        m_entries.push_back(std::move(entry));
    }
    std::sort(m_entries.begin(), m_entries.end(),
              [this](const Entry& a, const Entry& b) { return less(a, b); });
    return true;
}

ObjectStoreSortOrder::Entry ObjectStoreSortOrder::entryFor(
    Oid oid, const std::optional<PropValue>& value) const {
    Entry entry;
    entry.oid = oid;
    entry.present = value.has_value();
    if (value) {
        entry.number = value->type() == PropType::FileTime ? int64_t(value->toFileTime())
                                                           : int64_t(value->toInt());
        entry.text = value->toString();
        entry.bytes = value->toBlob();
    }
    return entry;
}

int ObjectStoreSortOrder::compareValues(const Entry& a, const Entry& b) const {
    switch (tagType(m_tag)) {
        case PropType::String:
            if (a.key && b.key) {
                if (const int byLocale = a.key->compare(*b.key); byLocale != 0) {
                    return byLocale;
                }
            }
            return compare3(a.text, b.text);
        case PropType::Blob:
            return compare3(a.bytes, b.bytes);
        case PropType::FileTime:
            return compare3(uint64_t(a.number), uint64_t(b.number));
        default:
            return compare3(a.number, b.number);
    }
}

bool ObjectStoreSortOrder::less(const Entry& a, const Entry& b) const {
    if (a.present != b.present) {
        return a.present;
    }
    const int byValue = a.present ? compareValues(a, b) : 0;
    return byValue != 0 ? byValue < 0 : a.oid < b.oid;
}

qsizetype ObjectStoreSortOrder::indexOf(Oid oid) const {
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [oid](const Entry& entry) { return entry.oid == oid; });
    return it == m_entries.end() ? -1 : qsizetype(it - m_entries.begin());
}

qsizetype ObjectStoreSortOrder::firstEqual(const PropValue& value) const {
    const Entry wanted = entryFor(0, value);
    for (qsizetype i = 0; i < size(); ++i) {
        const Entry& entry = at(i);
        if (entry.present && entry.number == wanted.number && entry.text == wanted.text &&
            entry.bytes == wanted.bytes) {
            return i;
        }
    }
    return -1;
}

qsizetype ObjectStoreSortOrder::firstAfter(const Entry& entry) const {
    const auto it = std::upper_bound(m_entries.begin(), m_entries.end(), entry,
                                     [this](const Entry& a, const Entry& b) { return less(a, b); });
    return qsizetype(it - m_entries.begin());
}

}  // namespace kontavo
