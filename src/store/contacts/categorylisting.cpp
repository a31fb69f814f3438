#include "store/contacts/categorylisting.h"

#include <algorithm>
#include <functional>

#include "platform/locale.h"
#include "store/contacts/categorymask.h"

namespace kontavo::categorylisting {

namespace {

QList<Category> select(const QList<CategoryRecord>& records,
                       const std::function<bool(const CategoryRecord&)>& keep,
                       const Locale& locale) {
    QList<Category> result;
    for (const CategoryRecord& record : records) {
        if (record.hasPosition() && keep(record)) {
            result.append(record.toCategory());
        }
    }
    sortByName(result, locale);
    return result;
}

}  // namespace

void sortByName(QList<Category>& categories, const Locale& locale) {
    std::stable_sort(categories.begin(), categories.end(),
                     [&locale](const Category& a, const Category& b) {
                         const int order = locale.compare(a.name, b.name);
                         return order != 0 ? order < 0 : a.oid < b.oid;
                     });
}

QList<Category> inUse(const QList<CategoryRecord>& records, const Locale& locale) {
    return select(
        records,
        [](const CategoryRecord& r) { return !r.name.isEmpty() && r.contactRefs.value_or(0) > 0; },
        locale);
}

QList<Category> forContact(const QList<CategoryRecord>& records, const QByteArray& mask,
                           const Locale& locale) {
    return select(
        records,
        [&mask](const CategoryRecord& r) {
            return r.isActive() || categorymask::hasBit(mask, *r.position);
        },
        locale);
}

QList<Category> ofMask(const QList<CategoryRecord>& records, const QByteArray& mask,
                       const Locale& locale) {
    return select(
        records,
        [&mask](const CategoryRecord& r) { return categorymask::hasBit(mask, *r.position); },
        locale);
}

QList<int> indicesOfMask(const QList<Category>& list, const QByteArray& mask) {
    QList<std::pair<int, int>> byPosition;  // (position, index in list)
    for (int i = 0; i < list.size(); ++i) {
        byPosition.append({list[i].position, i});
    }
    std::sort(byPosition.begin(), byPosition.end());
    QList<int> indices;
    for (int position : categorymask::positions(mask)) {
        auto it = std::lower_bound(byPosition.begin(), byPosition.end(),
                                   std::pair<int, int>{position, -1});
        for (; it != byPosition.end() && it->first == position; ++it) {
            indices.append(it->second);
        }
    }
    std::sort(indices.begin(), indices.end());
    return indices;
}

QByteArray maskOf(const QList<Category>& selection) {
    QList<int> positions;
    for (const Category& category : selection) {
        positions.append(category.position);
    }
    return categorymask::fromPositions(positions);
}

}  // namespace kontavo::categorylisting
