#include "comm/categorylistmodel.h"

#include <algorithm>

#include "comm/categoryringtones.h"
#include "store/contacts/categoriesdbmanager.h"

namespace kontavo {

CategoryListModel::CategoryListModel(CategoriesDBManager& categories, CategoryRingtones& ringtones,
                                     bool showAllMode, QList<Oid> ticked, bool phoneDevice)
    : m_categories(categories),
      m_ringtones(ringtones),
      m_showAllMode(showAllMode),
      m_phoneDevice(phoneDevice),
      m_working(std::move(ticked)) {}

void CategoryListModel::setShowAll(bool on) {
    if (on != m_showAll) {
        m_showAll = on;
        rebuildWorkingList();
        fill();
    }
}

bool CategoryListModel::fill() {
    const std::optional<QList<Category>> rows =
        m_showAllMode || m_showAll ? m_categories.listForContact(m_categories.maskOfOids(m_working))
                                   : m_categories.listInUse();
    m_rows = rows.value_or(QList<Category>());
    m_ticked.clear();
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_working.contains(m_rows[i].oid)) {
            m_ticked.append(i);
        }
    }
    return rows.has_value();
}

QString CategoryListModel::rowText(int row) const {
    return categoryDisplayName(m_rows[row]);
}

void CategoryListModel::toggle(int row) {
    if (row < 0 || row >= rowCount()) {
        return;
    }
    if (!m_ticked.removeOne(row)) {
        m_ticked.append(row);
    }
}

QList<Oid> CategoryListModel::tickedOids() const {
    QList<Oid> oids;
    for (int i = 0; i < m_rows.size(); ++i) {
        if (isTicked(i)) {
            oids.append(m_rows[i].oid);
        }
    }
    return oids;
}

int CategoryListModel::rowOfName(const QString& name) const {
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].name == name) {
            return i;
        }
    }
    return -1;
}

// Ticks that are on screen win over the working list; ticked categories the
// rows do not show (not in use while only those are listed) stay ticked.
void CategoryListModel::rebuildWorkingList() {
    QList<Oid> working = tickedOids();
    for (const Oid oid : m_working) {
        const bool shown = std::any_of(m_rows.cbegin(), m_rows.cend(),
                                       [oid](const Category& row) { return row.oid == oid; });
        if (!shown && !working.contains(oid)) {
            working.append(oid);
        }
    }
    m_working = working;
}

int CategoryListModel::ringtoneState(int row, QString* path) const {
    if (!m_phoneDevice || row < 0 || row >= rowCount()) {
        return CategoryRingtones::NoRingtone;
    }
    return m_ringtones.ringtone(m_rows[row].name, path);
}

bool CategoryListModel::changeRingtone(int row, const QString& path) {
    QString before;
    m_ringtones.ringtone(m_rows[row].name, &before);
    if (path == before) {
        return false;
    }
    if (path.isEmpty()) {
        m_ringtones.removeRingtone(m_rows[row].name);
    } else {
        m_ringtones.setRingtone(m_rows[row].name, path);
    }
    return true;
}

std::optional<int> CategoryListModel::addCategory(const QString& name, const QString& ringtone) {
    if (m_categories.addCategory(name) == CategoriesDBManager::AddResult::Failed) {
        return std::nullopt;
    }
    if (!ringtone.isEmpty()) {
        m_ringtones.addRingtone(name, ringtone);
    }
    rebuildWorkingList();
    m_showAll = true;
    fill();
    return rowOfName(name);
}

std::optional<int> CategoryListModel::deleteRow(int row) {
    if (row < 0 || row >= rowCount()) {
        return std::nullopt;
    }
    const Category category = m_rows[row];
    m_ticked.removeOne(row);
    m_ringtones.removeRingtone(category.name);
    const bool deleted = m_categories.deleteCategory(category.oid);
    rebuildWorkingList();
    m_working.removeOne(category.oid);
    fill();
    if (!deleted) {
        return std::nullopt;
    }
    return std::min(row, rowCount() - 1);
}

}  // namespace kontavo
