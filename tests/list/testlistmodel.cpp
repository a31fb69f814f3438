#include "testlistmodel.h"

#include <QPainter>
#include <algorithm>

#include "store/contacts/categoryfilter.h"
#include "store/contacts/contactmanager.h"

namespace kontavo::test {

TestListModel::TestListModel(ContactManager* manager, const Screen& screen)
    : m_manager(manager), m_screen(screen), m_view(new CoolList(screen)) {
    m_view->setOwner(this);
    m_view->setRowHeight(screen.scaleY(16));
}

TestListModel::~TestListModel() {
    m_view->setOwner(nullptr);
    delete m_view;
}

void TestListModel::setNameOnly(bool on) {
    calls.append(QStringLiteral("nameOnly %1").arg(int(on)));
    m_view->redrawAll();
}

void TestListModel::setDoubleSized(bool on) {
    calls.append(QStringLiteral("doubleSized %1").arg(int(on)));
    m_doubleSized = on;
    m_view->setRowHeight(m_screen.scaleY(on ? 32 : 16));
}

void TestListModel::setSortType(int type) {
    calls.append(QStringLiteral("sort %1").arg(type));
    refresh();
}

void TestListModel::refill(const ListSearch& search) {
    refills.append(search);
    m_search = search;
    const Oid selected = selectedContact();
    QList<ListEntry> entries;
    if (m_manager == nullptr) {
        entries = fixedEntries;
    } else if (!search.groupKey.isEmpty()) {
        m_manager->listContacts(m_manager->index().findGroupKey(search.groupKey),
                                CategoryFilter::any(), entries);
    } else if (!search.text.isEmpty()) {
        m_manager->listContacts(m_manager->index().findWords(search.text), CategoryFilter::any(),
                                entries);
    } else {
        m_manager->listContacts(CategoryFilter::any(), entries);
    }
    std::stable_sort(entries.begin(), entries.end(), [](const ListEntry& a, const ListEntry& b) {
        return a.displayName.compare(b.displayName, Qt::CaseInsensitive) < 0;
    });
    m_entries = entries;
    m_view->setRowCount(int(m_entries.size()), false);
    if (selected != 0) {
        selectContact(selected);
    }
}

QList<Oid> TestListModel::selectedOids() const {
    QList<Oid> oids;
    for (const int row : m_view->selectedRows()) {
        if (row >= 0 && row < m_entries.size()) {
            oids.append(m_entries[row].oid);
        }
    }
    return oids;
}

Oid TestListModel::selectedContact() const {
    const QList<Oid> oids = selectedOids();
    return oids.size() == 1 ? oids.front() : 0;
}

bool TestListModel::selectContact(Oid oid) {
    for (int row = 0; row < m_entries.size(); ++row) {
        if (m_entries[row].oid == oid) {
            m_view->selectOnly(row);
            m_view->scrollIntoView(row);
            return true;
        }
    }
    return false;
}

void TestListModel::clearSelection() {
    for (const int row : m_view->selectedRows()) {
        m_view->setSelected(row, false);
    }
}

void TestListModel::stepSelection(int delta) {
    const QList<int> rows = m_view->selectedRows();
    const int row = std::clamp((rows.isEmpty() ? 0 : rows.front()) + delta, 0,
                               std::max(0, int(m_entries.size()) - 1));
    if (!m_entries.isEmpty()) {
        m_view->selectOnly(row);
    }
}

PositionCaption TestListModel::positionCaption() const {
    const QList<int> rows = m_view->selectedRows();
    const int position = rows.isEmpty() ? 0 : rows.front() + 1;
    const int count = int(m_entries.size());
    return {QStringLiteral("Contact %1 of %2").arg(position).arg(count), position > 1,
            position > 0 && position < count};
}

void TestListModel::deleteSelection() {
    for (const Oid oid : selectedOids()) {
        if (m_manager != nullptr) {
            m_manager->deleteContact(oid);
        }
    }
    refresh();
}

bool TestListModel::chooseFilter(QWidget*) {
    ++filterMenus;
    return false;
}

bool TestListModel::onKey(const ListKey& key) {
    return m_listener.key && m_listener.key(key);
}

void TestListModel::onFocusChanged(int row) {
    m_view->selectOnly(row);
    notifySelection();
}

void TestListModel::onActivate(int row) {
    if (m_listener.activated && row >= 0 && row < m_entries.size()) {
        m_listener.activated(m_entries[row].oid);
    }
}

void TestListModel::drawRow(QPainter& painter, const QRect& box, int row, unsigned state) {
    const bool selected = (state & rowstate::kSelected) == rowstate::kSelected;
    painter.fillRect(box, selected ? QColor(0x00, 0x00, 0x82) : QColor(Qt::white));
    painter.setPen(selected ? Qt::white : Qt::black);
    const QString name = row < m_entries.size() ? m_entries[row].displayName : QString();
    painter.drawText(box.adjusted(m_screen.scaleX(6), 0, 0, 0), Qt::AlignVCenter, name);
}

QStringList TestListModel::rowNames() const {
    QStringList names;
    for (const ListEntry& entry : m_entries) {
        names.append(entry.displayName);
    }
    return names;
}

void TestListModel::notifySelection() {
    if (m_listener.selectionChanged) {
        m_listener.selectionChanged();
    }
}

}  // namespace kontavo::test
