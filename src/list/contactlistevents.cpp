// The contact list's reactions: the list control's pen and keys, the
// contact store's changes, and the drawing of rows.
#include <QPainter>

#include "list/contactlist.h"
#include "list/coollist.h"
#include "list/emptylisthint.h"

namespace kontavo {

bool ContactList::onKey(const ListKey& key) {
    return m_listener.key ? m_listener.key(key) : false;
}

void ContactList::onRowTapped(int row, bool wasSelected) {
    const RowPos pos = m_rows.at(row);
    if (pos.isHeader()) {
        toggleCompany(row);
        return;
    }
    notifySelection();
    if (wasSelected && m_listener.activated && m_rows.oidAt(pos) != 0) {
        m_listener.activated(m_rows.oidAt(pos));
    }
}

void ContactList::onFocusChanged(int row) {
    // The selection follows the focus row (keys, and the pen going down).
    m_view->selectOnly(row);
    notifySelection();
}

void ContactList::onLongPress(QPoint pos) {
    openContextMenu(pos);
}

void ContactList::onActivate(int row) {
    const RowPos pos = m_rows.at(row);
    if (pos.isHeader()) {
        toggleCompany(row);
    } else if (m_listener.activated && m_rows.oidAt(pos) != 0) {
        m_listener.activated(m_rows.oidAt(pos));
    }
}

void ContactList::drawRow(QPainter& painter, const QRect& box, int row, unsigned state) {
    const ContactRowPainter::RowState look{(state & rowstate::kSelected) == rowstate::kSelected,
                                           (state & rowstate::kListFocused) != 0};
    const RowPos pos = m_rows.at(row);
    if (pos.isHeader()) {
        m_painter.drawHeader(painter, box, layout(), m_rows.companyName(pos.group),
                             m_rows.companySize(pos.group), m_rows.isOpen(pos.group), look);
        return;
    }
    const Cached& entry = cached(m_rows.oidAt(pos));
    ContactRowPainter::ContactRow contact;
    if (entry.readable) {
        const ContactRecord& record = entry.record;
        contact.text = contactRowText(record, m_sortType, m_nameOnly, m_templates);
        contact.picture = record.picture;
        contact.isPerson = !record.field(ContactField::Title).isEmpty() ||
                           !record.field(ContactField::FirstName).isEmpty() ||
                           !record.field(ContactField::MiddleName).isEmpty() ||
                           !record.field(ContactField::LastName).isEmpty() ||
                           !record.field(ContactField::Suffix).isEmpty() ||
                           record.field(ContactField::Company).isEmpty();
    } else {
        contact.text = unreadableRowText();
    }
    m_painter.drawContact(painter, box, layout(), contact, look);
}

bool ContactList::hitTest(QPoint pos) {
    const int row = m_view->rowAt(pos.y());
    const RowPos at = m_rows.at(row);
    if (!at.isValid() || at.isHeader() || !layout().isOnPhoneStrip(m_view->rowBox(row), pos)) {
        return false;
    }
    openPhoneMenu(row);
    return true;
}

QString ContactList::emptyHint() const {
    if (!m_filled || m_waiting || m_rows.rowCount() > 0) {
        return {};
    }
    EmptyListState state;
    state.searching = !m_search.text.trimmed().isEmpty() || !m_search.groupKey.isEmpty();
    state.filter = m_filter.mode();
    state.canAddContacts = m_services.features.has(Feature::EditForm);
    return emptyListHint(state);
}

void ContactList::drawEmpty(QPainter& painter, const QRect& area) {
    m_painter.drawHint(painter, area, emptyHint());
}

void ContactList::onCreated(Oid) {
    requery();
}

void ContactList::onChanged(Oid oid) {
    m_cache.remove(oid);
    requery();
}

void ContactList::onDeleted(Oid oid) {
    m_cache.remove(oid);
    requery();
    if (m_listener.deleted) {
        m_listener.deleted(oid);
    }
}

void ContactList::onReloaded() {
    m_cache.clear();
    requery();
}

void ContactList::onIndexProgress(int step) {
    if (m_listener.indexProgress) {
        m_listener.indexProgress(step);
    }
}

void ContactList::setIdle(bool idle) {
    if (m_listener.idle) {
        m_listener.idle(idle);
    }
}

void ContactList::setBacklog(bool backlog) {
    if (m_listener.backlog) {
        m_listener.backlog(backlog);
    }
}

}  // namespace kontavo
