#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "store/contacts/category.h"

namespace kontavo {

class CategoriesDBManager;
class CategoryRingtones;

// What the category list dialog shows and does, apart from drawing: the
// category rows, which of them are ticked, the working list of ticked Oids,
// "Show All Categories", creating and deleting categories with their
// ringtones.
//
// The rows are every active category plus the ticked ones even when
// deleted (in show-all mode, or with "Show All Categories" ticked), else
// only the categories some contact uses; sorted by name. Category changes go
// to the database at once. UI thread only; `categories` and `ringtones` must
// outlive the model.
class CategoryListModel {
public:
    // `showAllMode`: the caller lists every category (main menu, contact
    // editor) rather than those in use (the filter's "More...").
    CategoryListModel(CategoriesDBManager& categories, CategoryRingtones& ringtones,
                      bool showAllMode, QList<Oid> ticked, bool phoneDevice);

    bool showAllMode() const { return m_showAllMode; }
    bool isShowAllTicked() const { return m_showAll; }
    bool isPhoneDevice() const { return m_phoneDevice; }
    // Ticks or unticks "Show All Categories" and refills the rows.
    void setShowAll(bool on);
    // Reads the rows again from the database; false when it cannot be read
    // (no rows then).
    bool fill();

    int rowCount() const { return int(m_rows.size()); }
    const Category& row(int row) const { return m_rows[row]; }
    // The name, with " (deleted category)" for an inactive category.
    QString rowText(int row) const;
    bool isTicked(int row) const { return m_ticked.contains(row); }
    void toggle(int row);
    // The Oids of the ticked rows, in row order.
    QList<Oid> tickedOids() const;
    // The row of the category named exactly `name`, or -1.
    int rowOfName(const QString& name) const;

    // The row's ringtone: 0 none, 1 present, -1 its file is missing; always
    // 0 on a device that is no phone. Its path goes to `path`.
    int ringtoneState(int row, QString* path = nullptr) const;
    // The ringtone editor's OK: a changed path is stored, an empty one
    // removes the entry. False when nothing changed.
    bool changeRingtone(int row, const QString& path);

    // "New": creates the category (an existing one of that name is reused),
    // records a given ringtone for it, shows every category, keeps the
    // ticks and refills. The new row, or nullopt when it could not be made.
    std::optional<int> addCategory(const QString& name, const QString& ringtone);
    // "Delete": unticks the row, removes its ringtone and deletes the
    // category (one that contacts still use only becomes inactive), then
    // refills. The row to select next (the same position, or the last row),
    // -1 when none is left; nullopt when the database refused.
    std::optional<int> deleteRow(int row);

private:
    void rebuildWorkingList();

    CategoriesDBManager& m_categories;
    CategoryRingtones& m_ringtones;
    bool m_showAllMode;
    bool m_showAll = false;
    bool m_phoneDevice;
    QList<Oid> m_working;
    QList<Category> m_rows;
    QList<int> m_ticked;
};

}  // namespace kontavo
