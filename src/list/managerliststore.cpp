#include "list/managerliststore.h"

#include <QHash>
#include <QSet>
#include <algorithm>

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

namespace {

// The recently used contacts in `source` in the order of `recent` (newest
// first); a grouped source stays as it is.
void toRecentOrder(ContactListSource& source, const QList<Oid>& recent) {
    if (source.grouped) {
        return;
    }
    QHash<Oid, int> rank;
    for (int i = 0; i < recent.size(); ++i) {
        rank.insert(recent[i], i);
    }
    std::stable_sort(source.contacts.begin(), source.contacts.end(), [&](Oid a, Oid b) {
        return rank.value(a, int(recent.size())) < rank.value(b, int(recent.size()));
    });
}

ContactListAnswer::State answerState(ContactManager::ListState state) {
    switch (state) {
        case ContactManager::ListState::Ready:
            return ContactListAnswer::State::Ready;
        case ContactManager::ListState::Loading:
            return ContactListAnswer::State::Loading;
        case ContactManager::ListState::Failed:
            break;
    }
    return ContactListAnswer::State::Failed;
}

}  // namespace

ContactListAnswer ManagerListStore::query(const ContactListQuery& query) {
    const CategoryFilter filter = filterOf(query);
    const std::optional<QList<Oid>> only = candidates(query);
    if (only && only->isEmpty()) {
        ContactListAnswer empty{ContactListAnswer::State::Ready, {}};
        empty.source.grouped = query.sortType == sorttype::kCompany;
        return empty;
    }
    ContactManager::OrderedContacts ordered =
        m_manager.orderedContacts(only ? &*only : nullptr, filter, query.sortType);
    ContactListAnswer answer{answerState(ordered.state), std::move(ordered.source)};
    if (answer.isReady() && query.mode == CategoryFilterMenu::Mode::Recent) {
        toRecentOrder(answer.source, query.recent);
    }
    return answer;
}

void ManagerListStore::setReadyCallback(std::function<void()> ready) {
    m_manager.setListReadyCallback(std::move(ready));
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

std::optional<QList<Category>> ManagerListStore::allCategories() {
    const std::optional<QList<CategoryRecord>> records = m_manager.categories().readAll();
    if (!records) {
        return std::nullopt;
    }
    QList<Category> all;
    for (const CategoryRecord& record : *records) {
        all.append(record.toCategory());
    }
    return all;
}

}  // namespace kontavo
