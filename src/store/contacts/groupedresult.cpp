#include "store/contacts/groupedresult.h"

#include <QCollator>
#include <QHash>
#include <algorithm>

#include "platform/locale.h"

namespace kontavo {

namespace {

// Collation keys compare as the locale's collator does; each distinct text
// is keyed once, so a sort of many entries does not collate pair by pair.
class KeyCache {
public:
    explicit KeyCache(const Locale& locale) : m_collator(locale.qlocale()) {
        m_collator.setCaseSensitivity(Qt::CaseSensitive);
    }
    int indexOf(const QString& text) {
        const QString& key = text.isNull() ? m_empty : text;
        auto it = m_index.constFind(key);
        if (it != m_index.constEnd()) {
            return *it;
        }
        m_keys.append(m_collator.sortKey(key));
        m_index.insert(key, int(m_keys.size() - 1));
        return int(m_keys.size() - 1);
    }
    int compare(int a, int b) const { return a == b ? 0 : m_keys[a].compare(m_keys[b]); }

private:
    QCollator m_collator;
    QString m_empty = QStringLiteral("");
    QHash<QString, int> m_index;
    QList<QCollatorSortKey> m_keys;
};

struct Keyed {
    int company;
    int name;
    qsizetype entry;
};

}  // namespace

GroupedResult groupByCompany(const QList<ListEntry>& entries, const Locale& locale) {
    KeyCache keys(locale);
    QList<Keyed> order;
    order.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        order.append({keys.indexOf(entries[i].company), keys.indexOf(entries[i].displayName), i});
    }
    std::sort(order.begin(), order.end(), [&](const Keyed& a, const Keyed& b) {
        if (const int c = keys.compare(a.company, b.company); c != 0) {
            return c < 0;
        }
        if (const int c = keys.compare(a.name, b.name); c != 0) {
            return c < 0;
        }
        return entries[a.entry].oid < entries[b.entry].oid;
    });
    GroupedResult result;
    for (qsizetype i = 0; i < order.size();) {
        qsizetype end = i + 1;
        while (end < order.size() && keys.compare(order[end].company, order[i].company) == 0) {
            ++end;
        }
        result.groups.append(uint32_t(end - i));
        for (qsizetype k = i; k < end; ++k) {
            result.groups.append(entries[order[k].entry].oid);
        }
        const QString& company = entries[order[i].entry].company;
        result.companies.append(company.isNull() ? QStringLiteral("") : company);
        i = end;
    }
    return result;
}

}  // namespace kontavo
