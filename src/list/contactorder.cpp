#include "list/contactorder.h"

#include <QCollator>
#include <QHash>
#include <algorithm>

#include "list/contactrowtext.h"
#include "platform/locale.h"
#include "store/contacts/groupedresult.h"

namespace kontavo {

namespace {

ContactListSource grouped(const QList<ListEntry>& entries, const Locale& locale) {
    const GroupedResult groups = groupByCompany(entries, locale);
    ContactListSource source;
    source.grouped = true;
    source.companies = groups.companies;
    for (qsizetype i = 0; i < groups.groups.size();) {
        const int count = int(groups.groups[i]);
        source.counts.append(count);
        for (int k = 1; k <= count; ++k) {
            source.contacts.append(groups.groups[i + k]);
        }
        i += count + 1;
    }
    return source;
}

ContactListSource inRecentOrder(const QList<ListEntry>& entries, const QList<Oid>& recent) {
    QHash<Oid, int> rank;
    for (int i = 0; i < recent.size(); ++i) {
        rank.insert(recent[i], i);
    }
    QList<Oid> oids;
    for (const ListEntry& entry : entries) {
        oids.append(entry.oid);
    }
    std::stable_sort(oids.begin(), oids.end(), [&](Oid a, Oid b) {
        return rank.value(a, int(recent.size())) < rank.value(b, int(recent.size()));
    });
    return {oids, false, {}, {}};
}

QString nameKey(const ListEntry& entry) {
    return entry.displayName.isEmpty() ? entry.company : entry.displayName;
}

}  // namespace

ContactListSource arrangeContacts(const QList<ListEntry>& entries, int sortType,
                                  const QList<Oid>* recent,
                                  const std::function<QString(Oid)>& fileAs, const Locale& locale) {
    if (sortType == sorttype::kCompany) {
        return grouped(entries, locale);
    }
    if (recent != nullptr) {
        return inRecentOrder(entries, *recent);
    }
    QCollator collator(locale.qlocale());
    collator.setCaseSensitivity(Qt::CaseSensitive);
    struct Keyed {
        QCollatorSortKey key;
        Oid oid;
    };
    QList<Keyed> keyed;
    keyed.reserve(entries.size());
    for (const ListEntry& entry : entries) {
        const QString text = sortType == sorttype::kFileAs ? fileAs(entry.oid) : nameKey(entry);
        keyed.append({collator.sortKey(text), entry.oid});
    }
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        const int order = a.key.compare(b.key);
        return order != 0 ? order < 0 : a.oid < b.oid;
    });
    ContactListSource source;
    source.contacts.reserve(keyed.size());
    for (const Keyed& item : keyed) {
        source.contacts.append(item.oid);
    }
    return source;
}

}  // namespace kontavo
