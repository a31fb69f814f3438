#pragma once

#include <QStringList>

#include "list/coollist.h"
#include "list/coollistowner.h"
#include "list/framelistmodel.h"
#include "store/contacts/contactobserver.h"
#include "store/contacts/listentry.h"

namespace kontavo {
class ContactManager;
}

namespace kontavo::test {

// A plain contact list for the frame's tests: every contact of the store,
// or those the index finds for the search, sorted by display name, one row
// each, drawn as the name. It records what the frame asks of it. Without a
// manager it lists `fixedEntries`.
class TestListModel final : public FrameListModel, public CoolListOwner, public ContactObserver {
public:
    explicit TestListModel(ContactManager* manager, const Screen& screen = Screen::current());
    ~TestListModel() override;

    // FrameListModel
    void setListener(Listener listener) override { m_listener = std::move(listener); }
    ContactObserver* observer() override { return this; }
    QWidget* view() override { return m_view; }
    void setNameOnly(bool on) override;
    void setDoubleSized(bool on) override;
    void setSortType(int type) override;
    void refill(const ListSearch& search) override;
    void refresh() override { refill(m_search); }
    QList<Oid> selectedOids() const override;
    Oid selectedContact() const override;
    bool selectContact(Oid oid) override;
    void clearSelection() override;
    void stepSelection(int delta) override;
    PositionCaption positionCaption() const override;
    void deleteSelection() override;
    void addRecent(Oid oid) override { recent.prepend(oid); }
    QString filterCaption() const override { return QStringLiteral("All Contacts"); }
    bool chooseFilter(QWidget*) override;
    void setPhoneTemplates(const PhoneTemplateSet&) override { calls.append("templates"); }
    void setListFont(const QFont&) override { calls.append("font"); }

    // CoolListOwner
    bool onKey(const ListKey& key) override;
    void onRowTapped(int, bool) override { notifySelection(); }
    void onFocusChanged(int row) override;
    void onLongPress(QPoint) override {}
    void onActivate(int row) override;
    void drawRow(QPainter& painter, const QRect& box, int row, unsigned state) override;
    bool hitTest(QPoint) override { return false; }

    // ContactObserver
    void onCreated(Oid) override { refresh(); }
    void onChanged(Oid) override { refresh(); }
    void onDeleted(Oid) override { refresh(); }
    void onReloaded() override { refresh(); }
    void onIndexProgress(int) override {}
    void setIdle(bool) override {}
    void setBacklog(bool) override {}

    // The display names of the rows, in order.
    QStringList rowNames() const;
    const QList<ListEntry>& entries() const { return m_entries; }

    QList<ListEntry> fixedEntries;
    QList<ListSearch> refills;  // every refill asked for
    QStringList calls;          // "nameOnly 1", "doubleSized 0", "sort 2", "filter", "templates"
    QList<Oid> recent;
    int filterMenus = 0;

private:
    void notifySelection();

    ContactManager* m_manager;
    Screen m_screen;
    CoolList* m_view;
    Listener m_listener;
    ListSearch m_search;
    QList<ListEntry> m_entries;
    bool m_doubleSized = false;
};

}  // namespace kontavo::test
