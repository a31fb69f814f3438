#pragma once

#include <QFont>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>

#include "comm/dialmethod.h"
#include "comm/phonetemplateset.h"
#include "list/categoryfiltermenu.h"
#include "list/contactlisttypes.h"
#include "list/contactrowpainter.h"
#include "list/contactrows.h"
#include "list/coollistowner.h"
#include "platform/screen.h"
#include "store/contacts/contactobserver.h"
#include "store/contacts/recentlist.h"
#include "store/record/contactrecord.h"
#include "ui/features.h"
#include "ui/sharedfonts.h"

class QWidget;

namespace kontavo {

class ContactActions;
class ContactContextMenu;
class DeviceFs;
struct ContactItem;
struct ContactListQuery;
class ContactListStore;
class ContactListUi;
class CoolList;
class Registry;

// The contact list model: turns the contacts a query selects into the rows
// of the list pane (flat, or grouped by company with folding headers), draws
// them in its owner-drawn list control ("COOL.LIST"), keeps the selection
// across refills, runs the per-row phone menu, the category filter, the
// recently used contacts and the deletion of the selection, and follows the
// contact store's changes as its ContactObserver.
//
// Contacts are read through the store when a row is drawn and cached by Oid
// until the store reports a change. A contact that cannot be read is drawn
// as "Unnamed" without detail, and actions on it do nothing.
//
// The store, the UI, the registry and the actions given in Services must
// outlive the list. The list control is made by the list and destroyed with
// it unless its parent widget destroyed it first. UI thread only.
class ContactList final : public QObject, public CoolListOwner, public ContactObserver {
    Q_OBJECT
public:
    struct Services {
        ContactListStore* store = nullptr;  // required
        ContactListUi* ui = nullptr;        // required
        Registry* registry = nullptr;       // required: recent lists, "DialupMode"
        // Optional: without them calls, e-mails, beaming and appointments
        // are not offered.
        ContactActions* actions = nullptr;
        const DeviceFs* device = nullptr;   // optional: tells a phone device
        Screen screen = Screen::current();
        QFont listFont = SharedFonts::current().list;
        // The features whose menu items the list offers (those that need
        // `actions` only when they are given).
        FeatureSet features = FeatureSet::built();
    };

    // What the list tells its owner (the contacts frame). Each may be empty.
    struct Listener {
        // The selection changed (by pen, keys, a refill or a deletion).
        std::function<void()> selectionChanged;
        // A contact row was activated (Enter, the action key, or a tap on a
        // row that was already selected).
        std::function<void(Oid oid)> activated;
        // A key the list and the model do not use; true when it was used.
        std::function<bool(const ListKey& key)> key;
        // A command of the context menu the frame carries out for the
        // selected contacts: ContactContextMenu::kDuplicate, kBeam or
        // kAppointment.
        std::function<void(int command)> command;
        // The list waits for the store to load what it orders by (true;
        // the rows stay as they were) or has its rows again (false).
        std::function<void(bool busy)> busy;
        // The store calls passed on unchanged.
        std::function<void(Oid oid)> deleted;
        std::function<void(int step)> indexProgress;
        std::function<void(bool idle)> idle;
        std::function<void(bool backlog)> backlog;
    };

    explicit ContactList(Services services, QWidget* parent = nullptr);
    ~ContactList() override;

    void setListener(Listener listener) { m_listener = std::move(listener); }
    ContactObserver* observer() { return this; }
    CoolList* view() const { return m_view; }

    // View modes; the list redraws (the sort type also refills, keeping the
    // selected contact).
    void setNameOnly(bool on);
    void setDoubleSized(bool on);
    void setSortType(int type);
    // The phone number templates the shown numbers go through (read from the
    // settings when the list is made) and the list font (the shared one).
    void setPhoneTemplates(PhoneTemplateSet templates);
    void setListFont(const QFont& font);
    bool nameOnly() const { return m_nameOnly; }
    bool isDoubleSized() const { return m_doubleSized; }
    int sortType() const { return m_sortType; }

    // Replaces the rows by `source`: the selection is emptied and the list
    // redrawn.
    void setSource(ContactListSource source);
    // Queries the store again with `search`, under the category filter and
    // the sort type, and selects the previously selected contact where it is
    // still listed (opening its company), else nothing. While the store is
    // still loading, the rows stay and the list is busy until the store's
    // ready callback refills it.
    void refill(const ListSearch& search);
    void refresh() { refill(m_search); }
    bool hasBeenFilled() const { return m_filled; }
    // The hint the list shows while it has no row (after it was filled and
    // while it does not wait for the store); empty otherwise.
    QString emptyHint() const;
    bool isWaitingForStore() const { return m_waiting; }
    const ListSearch& search() const { return m_search; }

    const ContactRows& rows() const { return m_rows; }
    // Selection.
    void select(RowPos pos);
    QList<RowPos> selection() const;
    QList<Oid> selectedOids() const;
    // The contact of the one selected contact row; 0 otherwise.
    Oid selectedContact() const;
    // Selects the row of `oid` (opening its company) and scrolls it into
    // view; false when the contact is not listed.
    bool selectContact(Oid oid);
    void clearSelection();
    // Moves the selection one row up (-1) or down (+1), within the rows.
    void stepSelection(int delta);
    PositionCaption positionCaption() const;

    Oid oidAt(RowPos pos) const { return m_rows.oidAt(pos); }
    // The contact at `pos` as read through the store; nullopt for a header,
    // no contact, or a contact that cannot be read.
    std::optional<ContactRecord> contactAt(RowPos pos);
    // The texts of the contact row `row` as drawn.
    ContactRowText rowText(int row);
    bool toggleCompany(int row);

    // Shows the phone menu of the contact row `row` and carries out the
    // choice; false when there is no menu (no phone or e-mail, no contact).
    bool openPhoneMenu(int row);

    // Shows the context menu of the selected contacts at `pos` (list
    // coordinates) and carries out the choice; false when nothing is
    // selected.
    bool openContextMenu(QPoint pos);

    // Deletion of the selection after the user confirmed it; false when
    // nothing was selected or the user said No.
    bool deleteSelection();

    // Recently used contacts (most recent first, at most 20), kept under
    // "Categories\Recent" and saved when the list is destroyed.
    void addRecent(Oid oid);
    const QList<Oid>& recentContacts() const { return m_recent.entries(); }
    bool saveRecentContacts() { return m_recent.save(); }

    // The category filter.
    QString filterCaption() const { return m_filter.caption(); }
    const CategoryFilterMenu& filter() const { return m_filter; }
    // Shows the filter menu under `button` and applies the choice; true
    // when the filter changed (the list has then refilled).
    bool chooseFilter(QWidget* button);

    // CoolListOwner
    bool onKey(const ListKey& key) override;
    void onRowTapped(int row, bool wasSelected) override;
    void onFocusChanged(int row) override;
    void onLongPress(QPoint pos) override;
    void onActivate(int row) override;
    void drawRow(QPainter& painter, const QRect& box, int row, unsigned state) override;
    bool hitTest(QPoint pos) override;
    void drawEmpty(QPainter& painter, const QRect& area) override;

    // ContactObserver
    void onCreated(Oid oid) override;
    void onChanged(Oid oid) override;
    void onDeleted(Oid oid) override;
    void onReloaded() override;
    void onIndexProgress(int step) override;
    void setIdle(bool idle) override;
    void setBacklog(bool backlog) override;

private:
    struct Cached {
        bool readable = false;
        ContactRecord record;
    };

    const Cached& cached(Oid oid);
    ContactListQuery currentQuery();
    void applySource(ContactListSource source, Oid keep);
    void selectRow(int row);
    ContactRowLayout layout() const;
    void updateRowHeight();
    void requery();
    void setWaiting(bool waiting);
    void notifySelection();
    void actOnItem(const ContactItem& item, Oid oid);
    DialMethod freshDialMethod() const;
    void runContextCommand(int id, const ContactContextMenu& menu);
    QList<CategoryFilterMenu::NamedCategory> filterMenuCategories(RecentList& recent);
    bool applyFilterChoice(int id, const QList<CategoryFilterMenu::NamedCategory>& recent,
                           RecentList& recentCategories, QWidget* button);

    Services m_services;
    QPointer<CoolList> m_view;
    ContactRowPainter m_painter;
    PhoneTemplateSet m_templates;
    ContactRows m_rows;
    QHash<Oid, Cached> m_cache;
    Listener m_listener;
    CategoryFilterMenu m_filter;
    RecentList m_recent;
    ListSearch m_search;
    int m_sortType = 0;
    bool m_nameOnly = false;
    bool m_doubleSized = false;
    bool m_filled = false;
    bool m_waiting = false;  // the last query was answered Loading
};

}  // namespace kontavo
