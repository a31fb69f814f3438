#include "list/contactlist.h"

#include <algorithm>

#include "comm/phonetemplatesettings.h"
#include "list/contactliststore.h"
#include "list/coollist.h"
#include "list/listcaption.h"
#include "store/settings/settingsstore.h"

namespace kontavo {

namespace {
// Contacts kept read at most; the cache starts over beyond this.
constexpr int kCacheLimit = 4096;

// Without contact actions nothing can call, mail, beam or make an
// appointment: those items are not offered.
ContactList::Services withOfferedFeatures(ContactList::Services services) {
    if (services.actions == nullptr) {
        services.features = services.features.with(Feature::ContactActions, false)
                                .with(Feature::Beam, false)
                                .with(Feature::Appointment, false);
    }
    return services;
}
}  // namespace

ContactList::ContactList(Services services, QWidget* parent)
    : m_services(withOfferedFeatures(std::move(services))),
      m_view(new CoolList(m_services.screen, parent)),
      m_painter(m_services.screen, m_services.listFont),
      m_filter(m_services.features.has(Feature::CategoryList)),
      m_recent(RecentList::contacts(*m_services.registry)) {
    SettingsStore settings(*m_services.registry);
    m_templates = loadPhoneTemplates(settings);
    m_view->setOwner(this);
    m_recent.load();
    updateRowHeight();
    m_services.store->setReadyCallback([this] {
        if (m_waiting) {
            refresh();
        }
    });
}

ContactList::~ContactList() {
    m_services.store->setReadyCallback({});
    m_recent.save();
    if (m_view) {
        m_view->setOwner(nullptr);
        delete m_view;
    }
}

void ContactList::setNameOnly(bool on) {
    m_nameOnly = on;
    m_view->redrawAll();
}

void ContactList::setDoubleSized(bool on) {
    m_doubleSized = on;
    updateRowHeight();
    m_view->redrawAll();
}

void ContactList::setSortType(int type) {
    if (type == m_sortType) {
        return;
    }
    m_sortType = type;
    if (m_filled) {
        refresh();
    } else {
        m_view->redrawAll();
    }
}

void ContactList::setPhoneTemplates(PhoneTemplateSet templates) {
    m_templates = std::move(templates);
    m_view->redrawAll();
}

void ContactList::setListFont(const QFont& font) {
    m_painter = ContactRowPainter(m_services.screen, font);
    updateRowHeight();
    m_view->redrawAll();
}

void ContactList::updateRowHeight() {
    m_view->setRowHeight(m_painter.rowHeight(m_doubleSized));
}

ContactRowLayout ContactList::layout() const {
    return ContactRowLayout(m_services.screen, {m_doubleSized, m_nameOnly, m_rows.isGrouped(),
                                                m_painter.tagColumnWidth()});
}

void ContactList::setSource(ContactListSource source) {
    applySource(std::move(source), 0);
}

ContactListQuery ContactList::currentQuery() {
    ContactListQuery query;
    query.sortType = m_sortType;
    query.mode = m_filter.mode();
    query.categories = m_filter.categories();
    query.search = m_search;
    if (query.mode == CategoryFilterMenu::Mode::Recent) {
        m_recent.retainOnly(m_services.store->existingContacts(m_recent.entries()));
        query.recent = m_recent.entries();
    }
    return query;
}

void ContactList::refill(const ListSearch& search) {
    m_search = search;
    const Oid keep = selectedContact();
    ContactListAnswer answer = m_services.store->query(currentQuery());
    m_filled = true;
    setWaiting(answer.state == ContactListAnswer::State::Loading);
    if (!m_waiting) {
        applySource(answer.isReady() ? std::move(answer.source) : ContactListSource{}, keep);
    }
}

void ContactList::setWaiting(bool waiting) {
    if (waiting == m_waiting) {
        return;
    }
    m_waiting = waiting;
    if (m_listener.busy) {
        m_listener.busy(waiting);
    }
}

void ContactList::applySource(ContactListSource source, Oid keep) {
    m_rows.setSource(std::move(source));
    const std::optional<RowPos> kept = m_rows.find(keep);
    if (kept) {
        m_rows.open(kept->group);
    }
    const int row = kept ? m_rows.rowOf(*kept) : -1;
    m_view->setRowCount(m_rows.rowCount(), true, row);
    m_view->selectOnly(row);
    m_view->redrawAll();
    notifySelection();
}

void ContactList::requery() {
    if (m_filled) {
        refresh();
    } else {
        m_view->redrawAll();
    }
}

const ContactList::Cached& ContactList::cached(Oid oid) {
    auto found = m_cache.find(oid);
    if (found == m_cache.end()) {
        if (m_cache.size() >= kCacheLimit) {
            m_cache.clear();
        }
        Cached entry;
        entry.readable = oid != 0 && m_services.store->readContact(oid, entry.record);
        found = m_cache.insert(oid, std::move(entry));
    }
    return found.value();
}

std::optional<ContactRecord> ContactList::contactAt(RowPos pos) {
    const Oid oid = m_rows.oidAt(pos);
    if (oid == 0) {
        return std::nullopt;
    }
    const Cached& entry = cached(oid);
    return entry.readable ? std::optional(entry.record) : std::nullopt;
}

ContactRowText ContactList::rowText(int row) {
    const Oid oid = m_rows.oidAt(m_rows.at(row));
    const Cached& entry = cached(oid);
    if (!entry.readable) {
        return unreadableRowText();
    }
    return contactRowText(entry.record, m_sortType, m_nameOnly, m_templates);
}

bool ContactList::toggleCompany(int row) {
    if (!m_rows.toggle(row)) {
        return false;
    }
    m_view->setRowCount(m_rows.rowCount(), true, row);
    m_view->selectOnly(row);
    m_view->scrollIntoView(row);
    m_view->redrawAll();
    notifySelection();
    return true;
}

void ContactList::select(RowPos pos) {
    if (pos.isValid() && !pos.isHeader()) {
        m_rows.open(pos.group);
        m_view->setRowCount(m_rows.rowCount(), true);
    }
    selectRow(m_rows.rowOf(pos));
}

void ContactList::selectRow(int row) {
    m_view->selectOnly(row);
    if (row >= 0) {
        m_view->setRowCount(m_rows.rowCount(), true, row);
        m_view->scrollIntoView(row);
    }
    notifySelection();
}

QList<RowPos> ContactList::selection() const {
    QList<RowPos> positions;
    for (int row : m_view->selectedRows()) {
        positions.append(m_rows.at(row));
    }
    return positions;
}

QList<Oid> ContactList::selectedOids() const {
    return m_rows.oidsOfRows(m_view->selectedRows());
}

Oid ContactList::selectedContact() const {
    const QList<int> rows = m_view->selectedRows();
    return rows.size() == 1 ? m_rows.oidAt(m_rows.at(rows.front())) : 0;
}

bool ContactList::selectContact(Oid oid) {
    const std::optional<RowPos> pos = m_rows.find(oid);
    if (!pos) {
        return false;
    }
    select(*pos);
    return true;
}

void ContactList::clearSelection() {
    selectRow(-1);
}

void ContactList::stepSelection(int delta) {
    const QList<int> rows = m_view->selectedRows();
    const int from = rows.isEmpty() ? (delta > 0 ? -1 : m_rows.rowCount()) : rows.front();
    const int to = std::clamp(from + delta, 0, m_rows.rowCount() - 1);
    if (m_rows.rowCount() > 0 && to != from) {
        selectRow(to);
    }
}

PositionCaption ContactList::positionCaption() const {
    const QList<int> rows = m_view->selectedRows();
    return kontavo::positionCaption(m_rows, rows.isEmpty() ? RowPos{} : m_rows.at(rows.front()));
}

void ContactList::notifySelection() {
    if (m_listener.selectionChanged) {
        m_listener.selectionChanged();
    }
}

void ContactList::addRecent(Oid oid) {
    m_recent.touch(oid);
}

}  // namespace kontavo
