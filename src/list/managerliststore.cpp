#include "list/managerliststore.h"

#include <QSet>

#include "list/contactorder.h"
#include "store/contacts/contactmanager.h"

namespace kontavo {

CategoryFilter ManagerListStore::filterOf(const ContactListQuery& query) {
    switch (query.mode) {
        case CategoryFilterMenu::Mode::None:
            return CategoryFilter::none();
        case CategoryFilterMenu::Mode::Categories:
            return CategoryFilter::sharing(m_manager.categories().maskOfOids(query.categories));
        case CategoryFilterMenu::Mode::All:
        case CategoryFilterMenu::Mode::Recent:
            break;
    }
    return CategoryFilter::any();
}

std::optional<QList<Oid>> ManagerListStore::candidates(const ContactListQuery& query) {
    std::optional<QList<Oid>> found;
    if (!query.search.text.isEmpty()) {
        found = m_manager.index().findWords(query.search.text);
    } else if (!query.search.groupKey.isEmpty()) {
        found = m_manager.index().findGroupKey(query.search.groupKey);
    }
    if (query.mode != CategoryFilterMenu::Mode::Recent) {
        return found;
    }
    if (!found) {
        return query.recent;
    }
    const QSet<Oid> matching(found->cbegin(), found->cend());
    QList<Oid> recent;
    for (Oid oid : query.recent) {
        if (matching.contains(oid)) {
            recent.append(oid);
        }
    }
    return recent;
}

std::optional<ContactListSource> ManagerListStore::query(const ContactListQuery& query) {
    const CategoryFilter filter = filterOf(query);
    const std::optional<QList<Oid>> only = candidates(query);
    QList<ListEntry> entries;
    if (only && only->isEmpty()) {
        return ContactListSource{{}, query.sortType == 2, {}, {}};
    }
    const bool ok = only ? m_manager.listContacts(*only, filter, entries)
                         : m_manager.listContacts(filter, entries);
    if (!ok) {
        return std::nullopt;
    }
    const bool recentOrder = query.mode == CategoryFilterMenu::Mode::Recent;
    return arrangeContacts(
        entries, query.sortType, recentOrder ? &query.recent : nullptr,
        [this](Oid oid) { return m_manager.fileAs(oid).value_or(QString()); }, m_locale);
}

bool ManagerListStore::readContact(Oid oid, ContactRecord& record) {
    return m_manager.readContact(oid, record);
}

bool ManagerListStore::setPreferredItem(Oid oid, uint32_t tag) {
    return m_manager.setPreferredItem(oid, tag);
}

bool ManagerListStore::deleteContact(Oid oid) {
    return m_manager.deleteContact(oid);
}

QList<Oid> ManagerListStore::existingContacts(const QList<Oid>& oids) {
    QList<Oid> existing;
    for (Oid oid : oids) {
        if (m_manager.fileAs(oid).has_value()) {
            existing.append(oid);
        }
    }
    return existing;
}

QList<CategoryFilterMenu::NamedCategory> ManagerListStore::categoryNames(const QList<Oid>& oids) {
    QList<CategoryFilterMenu::NamedCategory> named;
    for (Oid oid : oids) {
        const auto category = m_manager.categories().readCategory(oid);
        if (category && !category->first.isEmpty()) {
            named.append({oid, category->first});
        }
    }
    return named;
}

}  // namespace kontavo
