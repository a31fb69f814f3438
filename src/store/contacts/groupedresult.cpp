#include "store/contacts/groupedresult.h"

#include <algorithm>

#include "store/contacts/collationkeys.h"

namespace kontavo {

namespace {

struct Keyed {
    int company;
    int name;
    qsizetype entry;
};

}  // namespace

GroupedResult groupByCompany(const QList<ListEntry>& entries, const Locale& locale) {
    CollationKeys keys(locale);
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
