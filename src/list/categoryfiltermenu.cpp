#include "list/categoryfiltermenu.h"

#include <algorithm>

#include "diag/resources.h"

namespace kontavo {

namespace {
constexpr int kMoreString = 41141;
constexpr int kAllString = 41142;
constexpr int kNoneString = 41143;
constexpr int kRecentString = 41144;
constexpr int kMultipleString = 41145;
}  // namespace

CategoryFilterMenu::CategoryFilterMenu(bool offersMore)
    : m_offersMore(offersMore), m_caption(loadStringStrict(kAllString)) {}

QList<CategoryFilterMenu::Item> CategoryFilterMenu::menuItems(
    const QList<NamedCategory>& recent) const {
    QList<Item> items = {
        {kRecentId, loadStringStrict(kRecentString), m_mode == Mode::Recent},
        {kAllId, loadStringStrict(kAllString), m_mode == Mode::All},
        {kNoneId, loadStringStrict(kNoneString), m_mode == Mode::None},
    };
    for (int i = 0; i < recent.size(); ++i) {
        const bool inFilter = m_mode == Mode::Categories && m_categories.contains(recent[i].first);
        items.append({kFirstCategoryId + i, recent[i].second, inFilter});
    }
    items.append({moreId(recent), loadStringStrict(kMoreString), false, m_offersMore});
    return items;
}

CategoryFilterMenu::Outcome CategoryFilterMenu::choose(int id, const QList<NamedCategory>& recent) {
    bool changed = false;
    if (id == kRecentId) {
        changed = set(Mode::Recent, {}, loadStringStrict(kRecentString));
    } else if (id == kAllId) {
        changed = set(Mode::All, {}, loadStringStrict(kAllString));
    } else if (id == kNoneId) {
        changed = set(Mode::None, {}, loadStringStrict(kNoneString));
    } else if (id == moreId(recent)) {
        return m_offersMore ? Outcome::More : Outcome::Unchanged;
    } else if (id >= kFirstCategoryId && id < moreId(recent)) {
        const NamedCategory& category = recent[id - kFirstCategoryId];
        changed = set(Mode::Categories, {category.first}, category.second);
    }
    return changed ? Outcome::Changed : Outcome::Unchanged;
}

bool CategoryFilterMenu::chooseCategories(const QList<NamedCategory>& chosen) {
    if (chosen.isEmpty()) {
        return set(Mode::All, {}, loadStringStrict(kAllString));
    }
    QList<Oid> oids;
    for (const NamedCategory& category : chosen) {
        oids.append(category.first);
    }
    const QString caption =
        chosen.size() == 1 ? chosen.front().second : loadStringStrict(kMultipleString);
    return set(Mode::Categories, oids, caption);
}

CategoryFilterMenu::Listed CategoryFilterMenu::listedCategories(const QList<Oid>& recent,
                                                                const QList<Category>& all,
                                                                int capacity) {
    Listed listed;
    const auto find = [&all](Oid oid) {
        return std::find_if(all.cbegin(), all.cend(),
                            [oid](const Category& category) { return category.oid == oid; });
    };
    for (const Oid oid : recent) {
        const auto found = find(oid);
        if (found == all.cend()) {
            listed.stale.append(oid);
        } else if (listed.categories.size() < capacity) {
            listed.categories.append({oid, found->name});
        }
    }
    QList<Category> further;
    for (const Category& category : all) {
        if (category.active && category.position >= 0 && !category.name.isEmpty() &&
            !recent.contains(category.oid)) {
            further.append(category);
        }
    }
    std::stable_sort(further.begin(), further.end(), [](const Category& a, const Category& b) {
        return QString::localeAwareCompare(a.name, b.name) < 0;
    });
    for (const Category& category : further) {
        if (listed.categories.size() >= capacity) {
            break;
        }
        listed.categories.append({category.oid, category.name});
    }
    return listed;
}

bool CategoryFilterMenu::set(Mode mode, QList<Oid> categories, QString caption) {
    if (mode == m_mode && categories == m_categories && caption == m_caption) {
        return false;
    }
    m_mode = mode;
    m_categories = std::move(categories);
    m_caption = std::move(caption);
    return true;
}

}  // namespace kontavo
