#pragma once

#include <QList>
#include <QString>
#include <utility>

#include "store/contacts/category.h"
#include "store/record/proptag.h"

namespace kontavo {

// The category filter of the list and its pop-up menu: 1 "Recent",
// 2 "All Contacts", 3 "No Categories", one item per recently chosen
// category from 4 on (checked when in the filter), then "More...". In modes
// All, None and Recent the mode's item is checked. "More..." (the category
// dialog) is disabled while the category list is not part of the program.
// A plain value.
class CategoryFilterMenu {
public:
    enum class Mode { All, None, Recent, Categories };
    using NamedCategory = std::pair<Oid, QString>;

    static constexpr int kRecentId = 1;
    static constexpr int kAllId = 2;
    static constexpr int kNoneId = 3;
    static constexpr int kFirstCategoryId = 4;

    struct Item {
        int id = 0;
        QString text;
        bool checked = false;
        bool enabled = true;

        bool operator==(const Item&) const = default;
    };

    // What a menu choice asks for.
    enum class Outcome {
        Unchanged,  // nothing to refill
        Changed,    // the filter changed: refill
        More,       // run the category dialog, then call chooseCategories()
    };

    // The categories the menu lists, and the stored ones that are gone.
    struct Listed {
        QList<NamedCategory> categories;
        QList<Oid> stale;
    };
    // The menu's categories: the recently chosen `recent` (in their order)
    // that still name one of `all`, then further active categories of
    // `all` by name, `capacity` at most. `stale`: the recent ones that name
    // no category any more.
    static Listed listedCategories(const QList<Oid>& recent, const QList<Category>& all,
                                   int capacity);

    // `offersMore`: whether "More..." can be chosen.
    explicit CategoryFilterMenu(bool offersMore = true);

    Mode mode() const { return m_mode; }
    const QList<Oid>& categories() const { return m_categories; }
    const QString& caption() const { return m_caption; }

    // The menu for the recently chosen categories `recent` (oldest first).
    QList<Item> menuItems(const QList<NamedCategory>& recent) const;
    int moreId(const QList<NamedCategory>& recent) const {
        return kFirstCategoryId + int(recent.size());
    }
    // Applies the item `id` of the menu built from `recent` (a disabled
    // "More..." changes nothing).
    Outcome choose(int id, const QList<NamedCategory>& recent);
    // The categories chosen in the category dialog: one shows its name, more
    // "Multiple...", none means "All Contacts". True when the filter changed.
    bool chooseCategories(const QList<NamedCategory>& chosen);

private:
    bool set(Mode mode, QList<Oid> categories, QString caption);

    bool m_offersMore = true;
    Mode m_mode = Mode::All;
    QList<Oid> m_categories;
    QString m_caption;
};

}  // namespace kontavo
