#pragma once

#include <QList>
#include <functional>
#include <memory>
#include <optional>

#include "comm/categoryeditordialog.h"
#include "comm/categorylistmodel.h"
#include "comm/categoryringtones.h"
#include "comm/trnapchecklist.h"
#include "ui/dialogbase.h"

class QCheckBox;

namespace kontavo {

class CategoriesDBManager;
class DeviceFs;
class SettingsStore;
class Sound;
class WindowRegistry;

// What the category list dialog works with. The pointers are not owned and
// must outlive the dialog; those marked optional may be null or empty.
struct CategoryListServices {
    CategoriesDBManager* categories = nullptr;
    const DeviceFs* device = nullptr;
    SettingsStore* settings = nullptr;
    WindowRegistry* windows = nullptr;  // optional: the caller-ID companion is not told
    Sound* sound = nullptr;             // optional: no ringtone previews
    SoundChooser chooseSound;           // optional: "Browse" is disabled
};

// The category list dialog (dialog 172, full-screen, menu 213): the
// categories in a check list (control 1001) with "Show All Categories"
// (1025) under it, then "OK" and "Cancel". Its three callers are the main
// menu's "Category List" (Manage), the category filter's "More..."
// (Filter: only categories in use unless "Show All Categories" is ticked)
// and a contact's categories in the editor (Contact).
//
// A tap on a check box toggles the tick; "New" (1003) creates a category
// through the category editor, "Tools" > "Delete" (40013) deletes the
// selected one, at once and without asking. On a phone device the rows show
// ringtone marks: a tap on one plays the ringtone (stopping the one
// playing), a double tap opens the editor for it. "OK" ends with 1 and the
// ticked Oids in row order, "Cancel" with 2; both save the ringtones first,
// and tell the user when they could not be saved. UI thread only.
class CategoryListDialog final : public DialogBase, private CheckListSource {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 172;
    static constexpr int kMenuId = 213;
    static constexpr int kListId = 1001;
    static constexpr int kShowAllId = 1025;
    static constexpr int kCmdNew = 1003;
    static constexpr int kCmdDelete = 40013;
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;

    enum class Mode { Manage, Filter, Contact };

    CategoryListDialog(const CategoryListServices& services, Mode mode, QList<Oid> ticked,
                       QWidget* parent = nullptr);
    ~CategoryListDialog() override;

    // After OK: the ticked categories.
    const QList<Oid>& result() const { return m_result; }
    const CategoryListModel& model() const { return m_model; }
    TrnApCheckList* checkList() const { return m_list; }
    // The ringtone editor or the category editor while one is open.
    CategoryEditorDialog* editor() const { return m_editor; }

public slots:
    void reject() override;

protected:
    bool onInitDialog() override;
    void onCommand(int notificationCode, int id, QObject* control) override;

private:
    // CheckListSource
    int rowCount() const override { return m_model.rowCount(); }
    QString rowText(int row) const override { return m_model.rowText(row); }
    bool isRowTicked(int row) const override { return m_model.isTicked(row); }
    int ringtoneState(int row) const override { return m_model.ringtoneState(row); }

    void buildControls();
    void tapped(int row, int column);
    void doubleTapped(int row, int column);
    void stopPreview();
    void editRingtone(int row);
    void newCategory();
    void deleteSelected();
    void showRows(int select);
    // Saves the ringtones; after a failure the user may try again.
    void saveRingtones();
    void finish(int result);

    CategoryListServices m_services;
    Mode m_mode;
    CategoryRingtones m_ringtones;
    CategoryListModel m_model;
    QList<Oid> m_result;
    TrnApCheckList* m_list = nullptr;
    QCheckBox* m_showAll = nullptr;
    CategoryEditorDialog* m_editor = nullptr;
};

// Runs the category list dialog modally over `parent` for one of its
// callers, starting with `ticked`; the ticked categories after OK, nullopt
// after Cancel.
std::optional<QList<Oid>> runCategoryList(const CategoryListServices& services,
                                          CategoryListDialog::Mode mode, const QList<Oid>& ticked,
                                          QWidget* parent);

// How a caller reaches the dialog (see runCategoryList); an empty function
// means the dialog is not available there.
using CategoryListRunner = std::function<std::optional<QList<Oid>>(
    CategoryListDialog::Mode mode, const QList<Oid>& ticked, QWidget* parent)>;

}  // namespace kontavo
