#include "store/contacts/listquery.h"

#include <algorithm>

#include "store/contacts/contactprops.h"
#include "store/contacts/failedread.h"
#include "store/record/contactrecord.h"

namespace kontavo {

namespace {

// Positions of the properties in listEntryTags().
enum ListProp { kLast, kFirst, kCompany, kTitle, kWork, kWork2, kMask, kListPropCount };

QString textOf(const PropValue& value) {
    return value.isNotFound() ? QString() : value.toString();
}

QList<Oid> sortedUnique(QList<Oid> oids) {
    std::sort(oids.begin(), oids.end());
    oids.erase(std::unique(oids.begin(), oids.end()), oids.end());
    return oids;
}

}  // namespace

ListEntry ListQuery::entryOf(const DbRecord& read) {
    ListEntry entry;
    entry.oid = read.oid;
    if (read.props.size() < kListPropCount) {
        return entry;
    }
    const QString last = textOf(read.props[kLast]);
    const QString first = textOf(read.props[kFirst]);
    const QString title = textOf(read.props[kTitle]);
    const QString name = ContactRecord::shortDisplayName(last, first, title);
    entry.displayName = name.isEmpty() ? QString() : name;
    entry.company = textOf(read.props[kCompany]);
    const QString work = textOf(read.props[kWork]);
    const QString work2 = textOf(read.props[kWork2]);
    if (work.isEmpty()) {
        entry.firstPhone = work2;
    } else {
        entry.firstPhone = work;
        entry.secondPhone = work2;
    }
    return entry;
}

void ListQuery::keep(const DbRecord& read, const CategoryFilter& filter, QList<ListEntry>& out) {
    const PropValue& mask = read.props[kMask];
    if (filter.keeps(mask.isNotFound() ? QByteArray() : mask.toBlob())) {
        out.append(entryOf(read));
    }
}

bool ListQuery::all(const CategoryFilter& filter, QList<ListEntry>& out) {
    return scan(nullptr, filter, out);
}

bool ListQuery::ofOids(const QList<Oid>& oids, const CategoryFilter& filter,
                       QList<ListEntry>& out) {
    const std::optional<DbInfo> info = m_db.info();
    if (!info) {
        return false;
    }
    const QList<Oid> sorted = sortedUnique(oids);
    if (oids.size() >= qsizetype(info->recordCount) - kScanMargin) {
        return scan(&sorted, filter, out);
    }
    return seekEach(sorted, filter, out);
}

bool ListQuery::scan(const QList<Oid>* sortedOids, const CategoryFilter& filter,
                     QList<ListEntry>& out) {
    const QList<PropTag>& tags = listEntryTags();
    for (bool more = m_db.seekFirst(); more; more = m_db.seekNext()) {
        const std::optional<DbRecord> read = m_db.read(tags);
        if (!read) {
            if (passOverFailedRead(m_db)) {
                continue;
            }
            return false;
        }
        if (sortedOids == nullptr ||
            std::binary_search(sortedOids->begin(), sortedOids->end(), read->oid)) {
            keep(*read, filter, out);
        }
    }
    return m_db.lastError() == DbError::NoMoreItems;
}

bool ListQuery::seekEach(const QList<Oid>& sortedOids, const CategoryFilter& filter,
                         QList<ListEntry>& out) {
    const QList<PropTag>& tags = listEntryTags();
    for (Oid oid : sortedOids) {
        if (!m_db.seekOid(oid)) {
            continue;
        }
        const std::optional<DbRecord> read = m_db.read(tags);
        if (!read) {
            if (passOverFailedRead(m_db)) {
                continue;
            }
            return false;
        }
        keep(*read, filter, out);
    }
    return true;
}

}  // namespace kontavo
