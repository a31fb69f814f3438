// The contact list's commands: the phone menu, deletion and the category
// filter.
#include "comm/callrouting.h"
#include "comm/contactaddins.h"
#include "list/contactcontextmenu.h"
#include "list/contactlist.h"
#include "list/contactlistphonemenu.h"
#include "list/contactliststore.h"
#include "list/contactlistui.h"
#include "list/coollist.h"
#include "platform/devicefs.h"
#include "store/settings/settingsstore.h"

namespace kontavo {

bool ContactList::openPhoneMenu(int row) {
    const Oid oid = m_rows.oidAt(m_rows.at(row));
    if (oid == 0 || !cached(oid).readable) {
        return false;
    }
    const ContactListPhoneMenu menu(cached(oid).record, m_templates,
                                    m_services.features.has(Feature::ContactActions));
    if (menu.isEmpty()) {
        return false;
    }
    const QRect strip = layout().phoneStrip(m_view->rowBox(row));
    const QRect anchor(m_view->mapToGlobal(strip.topLeft()), strip.size());
    const ContactListPhoneMenu::Choice choice =
        menu.choose(m_services.ui->showPhoneMenu(menu, anchor, m_view));
    if (choice.newPreferred && m_services.store->setPreferredItem(oid, *choice.newPreferred)) {
        m_cache[oid].record.preferredItemTag = *choice.newPreferred;
        m_view->redrawRow(m_rows.rowOf(m_rows.at(row)));
    }
    if (choice.actOn) {
        actOnItem(*choice.actOn, oid);
    }
    return true;
}

void ContactList::actOnItem(const ContactItem& item, Oid oid) {
    if (item.kind == ContactItem::Kind::Email) {
        if (m_services.actions != nullptr) {
            m_services.actions->sendEmail(item.value);
        }
        return;
    }
    routeCall(freshDialMethod(), item.value, oid, m_services.actions);
}

bool ContactList::openContextMenu(QPoint pos) {
    const QList<Oid> oids = selectedOids();
    if (oids.isEmpty()) {
        return false;
    }
    const Oid single = selectedContact();
    if (single != 0 && !cached(single).readable) {
        return false;  // a contact that cannot be read offers nothing
    }
    const bool phone = m_services.device != nullptr && m_services.device->isPhoneDevice();
    const FeatureSet& features = m_services.features;
    ContactContextMenu menu = single != 0
                                  ? ContactContextMenu(cached(single).record, phone, features)
                                  : ContactContextMenu(features);
    menu.appendAddIns(ContactAddIns::current());
    const int id = m_services.ui->showContextMenu(menu.entries(), m_view->mapToGlobal(pos), m_view);
    runContextCommand(id, menu);
    return true;
}

void ContactList::runContextCommand(int id, const ContactContextMenu& menu) {
    if (!menu.isOffered(id)) {
        return;
    }
    if (id == ContactContextMenu::kDelete) {
        deleteSelection();
        return;
    }
    if (id == ContactContextMenu::kDuplicate || id == ContactContextMenu::kBeam ||
        id == ContactContextMenu::kAppointment || ContactAddIns::current().entryOf(id)) {
        if (m_listener.command) {
            m_listener.command(id);
        }
        return;
    }
    const std::optional<ContactItem> item = menu.itemOf(id);
    if (!item || m_services.actions == nullptr) {
        return;
    }
    if (id > ContactContextMenu::kEmailBase) {
        m_services.actions->sendEmail(item->value);
    } else if (id > ContactContextMenu::kSmsBase) {
        m_services.actions->sendSms(item->value);
    } else {
        const DialMethod method = freshDialMethod();
        if (method == DialMethod::AddIn) {
            m_services.actions->callWithAddIn(selectedOids());
        } else {
            routeCall(method, item->value, selectedContact(), m_services.actions);
        }
    }
}

// The dial method is read afresh for every call (and becomes the current
// one).
DialMethod ContactList::freshDialMethod() const {
    return dialMethodOf(readDialMethod(SettingsStore(*m_services.registry)));
}

bool ContactList::deleteSelection() {
    const QList<Oid> oids = selectedOids();
    if (oids.isEmpty() || !m_services.ui->confirmDelete(m_view)) {
        return false;
    }
    const QList<int> rows = m_view->selectedRows();
    const int previousRow = rows.isEmpty() ? -1 : rows.front();
    m_recent.remove(oids);
    for (Oid oid : oids) {
        m_services.store->deleteContact(oid);
        m_cache.remove(oid);
    }
    m_view->selectOnly(-1);
    refresh();
    selectRow(previousRow < m_rows.rowCount() ? previousRow : -1);
    return true;
}

bool ContactList::chooseFilter(QWidget* button) {
    RecentList recentCategories =
        RecentList::categories(*m_services.registry, m_services.ui->filterMenuCapacity(button));
    recentCategories.load();
    const QList<CategoryFilterMenu::NamedCategory> named = filterMenuCategories(recentCategories);
    const int id = m_services.ui->showFilterMenu(m_filter.menuItems(named), button);
    const bool changed = applyFilterChoice(id, named, recentCategories, button);
    if (changed) {
        refresh();
    }
    return changed;
}

// The recently chosen categories that still exist, then further ones; the
// stored list loses the categories that were deleted.
QList<CategoryFilterMenu::NamedCategory> ContactList::filterMenuCategories(RecentList& recent) {
    const std::optional<QList<Category>> all = m_services.store->allCategories();
    if (!all) {
        return m_services.store->categoryNames(recent.entries());
    }
    const CategoryFilterMenu::Listed listed =
        CategoryFilterMenu::listedCategories(recent.entries(), *all, recent.capacity());
    if (!listed.stale.isEmpty()) {
        recent.remove(listed.stale);
        recent.save();
    }
    return listed.categories;
}

bool ContactList::applyFilterChoice(int id, const QList<CategoryFilterMenu::NamedCategory>& recent,
                                    RecentList& recentCategories, QWidget* button) {
    switch (m_filter.choose(id, recent)) {
        case CategoryFilterMenu::Outcome::Unchanged:
            return false;
        case CategoryFilterMenu::Outcome::Changed:
            if (m_filter.mode() == CategoryFilterMenu::Mode::Categories) {
                recentCategories.touch(m_filter.categories().front());
                recentCategories.save();
            }
            return true;
        case CategoryFilterMenu::Outcome::More:
            break;
    }
    const std::optional<QList<Oid>> ticked =
        m_services.ui->chooseCategories(m_filter.categories(), button);
    if (!ticked) {
        return false;
    }
    const QList<CategoryFilterMenu::NamedCategory> chosen =
        m_services.store->categoryNames(*ticked);
    for (const CategoryFilterMenu::NamedCategory& category : chosen) {
        recentCategories.touch(category.first);
    }
    recentCategories.save();
    return m_filter.chooseCategories(chosen);
}

}  // namespace kontavo
