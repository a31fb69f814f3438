// The contacts frame's commands, view changes and the list's selection.
#include <QApplication>

#include "comm/appointmenttext.h"
#include "comm/contactactions.h"
#include "comm/contactaddins.h"
#include "diag/resources.h"
#include "list/abcbarlabels.h"
#include "list/bigabcbar.h"
#include "list/contactitems.h"
#include "list/contactsframe.h"
#include "list/contactstoresession.h"
#include "list/searchedit.h"
#include "list/smallabcbar.h"
#include "list/splitterwnd.h"
#include "store/contacts/contactmanager.h"
#include "store/settings/settingsstore.h"
#include "ui/framehost.h"
#include "ui/menubar.h"
#include "ui/messageboxes.h"
#include "ui/shellui.h"

namespace kontavo {

namespace {

// Restores the cursor when the work is done.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

void ContactsFrame::connectList() {
    FrameListModel::Listener listener;
    listener.selectionChanged = [this] { selectionChanged(); };
    listener.activated = [this](Oid oid) { openCardView(oid); };
    listener.key = [this](const ListKey& key) { return listKey(key); };
    // The context menu's Duplicate, Beam and appointment are the frame's
    // own commands.
    listener.command = [this](int id) { handleCommand(id, 0); };
    listener.busy = [this](bool busy) {
        if (busy) {
            m_search->busyStart();
        } else {
            m_search->busyEnd();
        }
    };
    // The context menu's frame commands, as if chosen from the menu bar.
    listener.command = [this](int id) { handleCommand(id, 0); };
    m_list->setListener(std::move(listener));
    connect(m_splitter, &SplitterWnd::previousRequested, this, [this] {
        m_list->stepSelection(-1);
        selectionChanged();
    });
    connect(m_splitter, &SplitterWnd::nextRequested, this, [this] {
        m_list->stepSelection(1);
        selectionChanged();
    });
    connect(m_splitter, &SplitterWnd::barMoved, this, &ContactsFrame::showSelectedInCard);
}

bool ContactsFrame::isCommandAvailable(int id) const {
    if (!m_services.features.allowsCommand(id)) {
        return false;
    }
    if (ContactAddIns::current().entryOf(id)) {
        return m_services.actions != nullptr;
    }
    switch (id) {
        case kCmdDuplicate:
        case kCmdReindex:
        case kCmdNewContact:
        case kCmdEditContact:
        case kCmdCallerIdContact:
        case kCmdImportVCards:
        case kCmdExportVCards:
            return m_services.store != nullptr;
        case kCmdBeam:
        case kCmdAppointment:
            return m_services.store != nullptr && m_services.actions != nullptr;
        case kCmdCategoryList:
            return m_services.store != nullptr && bool(m_services.chooseCategories);
        case kCmdDelete:
        case kCmdSplitVisible:
        case kCmdSplitVisibleToo:
            return true;
        default:
            return ContactsViewSettings::isViewCommand(id);
    }
}

bool ContactsFrame::handleCommand(int id, int) {
    if (!isCommandAvailable(id)) {
        return false;
    }
    if (ContactAddIns::current().entryOf(id)) {
        invokeAddIn(id);
        return true;
    }
    switch (id) {
        case kCmdNewContact:
            newContact(QString());
            return true;
        case kCmdEditContact:
            editSelected();
            return true;
        case kCmdCallerIdContact: {
            // The caller-ID companion leaves the caller's number behind once.
            const QString number = m_services.settings->get(settings::kCallerIdPhone);
            m_services.settings->set(settings::kCallerIdPhone, QString());
            newContact(number);
            return true;
        }
        case kCmdDuplicate:
            duplicateSelection();
            return true;
        case kCmdDelete:
            m_list->deleteSelection();
            selectionChanged();
            return true;
        case kCmdReindex:
            reindex();
            return true;
        case kCmdImportVCards:
            if (const std::optional<QString> path = chooseVCardFile(VCardFileChoice::Mode::Open)) {
                importVCards(*path);
            }
            return true;
        case kCmdExportVCards:
            exportVCards();
            return true;
        case kCmdBeam:
            beamSelection();
            return true;
        case kCmdAppointment:
            makeAppointment();
            return true;
        case kCmdCategoryList:
            manageCategories();
            return true;
        case kCmdSplitVisible:
        case kCmdSplitVisibleToo:
            toggleSplitVisible();
            return true;
        default:
            applyViewChange(m_view.apply(id));
            return true;
    }
}

void ContactsFrame::updateMenu(MenuBar& bar) {
    for (const int id : bar.commandIds()) {
        const bool needsStore = id == kCmdBeam || id == kCmdAppointment || id == kCmdCategoryList ||
                                id == kCmdNewContact || id == kCmdEditContact ||
                                id == kCmdCallerIdContact;
        if (!m_services.features.allowsCommand(id) || (needsStore && !isCommandAvailable(id))) {
            bar.enableItem(id, false);
        }
    }
    m_view.markMenu(bar);
}

// Categories are managed, not chosen: the ticks are not used. The list
// shows what became of its categories (a deleted one is gone from the
// filter's results).
void ContactsFrame::manageCategories() {
    m_services.chooseCategories(CategoryListDialog::Mode::Manage, {}, window());
    m_list->refresh();
    selectionChanged();
}

void ContactsFrame::setMenuMarks() {
    if (MenuBar* bar = m_services.host != nullptr ? m_services.host->menuBar() : nullptr) {
        updateMenu(*bar);
    }
}

void ContactsFrame::applyViewChange(ContactsViewSettings::Change change) {
    switch (change) {
        case ContactsViewSettings::Change::None:
            return;
        case ContactsViewSettings::Change::NameOnly:
            m_list->setNameOnly(m_view.nameOnly());
            break;
        case ContactsViewSettings::Change::DoubleSized:
            m_list->setDoubleSized(m_view.doubleSized());
            break;
        case ContactsViewSettings::Change::AbcMode:
            if (m_view.abcMode() == AbcMode::Big && m_services.shell != nullptr) {
                m_services.shell->setSipUp(false);
            }
            relayout();
            break;
        case ContactsViewSettings::Change::SortType:
            m_list->setSortType(m_view.sortType());
            selectionChanged();
            break;
    }
    setMenuMarks();
}

void ContactsFrame::toggleSplitVisible() {
    SplitterState& state = m_splitter->state();
    state.setVisible(!state.isVisible());
    relayout();
    if (state.isVisible()) {
        showSelectedInCard();
    }
}

// The caption and arrows follow the selection; the card shows it.
void ContactsFrame::selectionChanged() {
    const PositionCaption caption = m_list->positionCaption();
    m_splitter->setCaption(caption.text);
    m_splitter->setArrowsEnabled(caption.previousEnabled, caption.nextEnabled);
    m_selectedOid = m_list->selectedContact();
    showSelectedInCard();
}

void ContactsFrame::clearListSelection() {
    m_list->clearSelection();
    selectionChanged();
}

// The Talk key dials the selected contact's number through the phone
// service, whatever the dial method, without the phone application first.
void ContactsFrame::callSelectedContact() {
    const Oid oid = m_list->selectedContact();
    ContactRecord record;
    if (oid == 0 || m_services.actions == nullptr || m_services.store == nullptr ||
        !m_services.store->manager().readContact(oid, record)) {
        return;
    }
    const QString number = talkKeyNumber(record);
    if (!number.isEmpty()) {
        m_services.actions->callNumber(number, DialMethod::JustCall, false);
    }
}

// The selected contacts, each once, go to the beaming; its result is not
// shown.
void ContactsFrame::beamSelection() {
    QList<Oid> oids;
    for (const Oid oid : m_list->selectedOids()) {
        if (!oids.contains(oid)) {
            oids.append(oid);
        }
    }
    m_services.actions->beamContacts(oids);
}

// An appointment with the one selected contact; the result is not shown.
void ContactsFrame::makeAppointment() {
    const Oid oid = m_list->selectedContact();
    ContactRecord record;
    if (oid == 0 || !m_services.store->manager().readContact(oid, record)) {
        return;
    }
    m_services.actions->makeAppointment(appointmentSubject(record), appointmentBody(record));
}

void ContactsFrame::setPhoneTemplates(const PhoneTemplateSet& templates) {
    m_list->setPhoneTemplates(templates);
    m_cardContext.phoneTemplates = templates;
    rebuildCard(true);
}

void ContactsFrame::setListFont(const QFont& font) {
    m_list->setListFont(font);
}

void ContactsFrame::setLetterGroups(const LetterGroupSet& groups, bool labelsChanged) {
    m_services.letterGroups = groups;
    if (labelsChanged) {
        const AbcBarLabels labels = AbcBarLabels::fromSet(groups);
        m_smallBar->setLabels(labels);
        m_bigBar->setLabels(labels);
    }
    clearGroups();
    relayout();
}

// A Contacts add-in gets the selected contacts, each once.
void ContactsFrame::invokeAddIn(int command) {
    QList<Oid> oids;
    for (const Oid oid : m_list->selectedOids()) {
        if (!oids.contains(oid)) {
            oids.append(oid);
        }
    }
    if (!oids.isEmpty()) {
        m_services.actions->invokeAddIn(command, oids);
    }
}

// Shows the contact in the list (selected, with the search cleared when the
// search hides it); "v" then opens it in the full-screen card, "e" in the
// edit window.
void ContactsFrame::openContact(char16_t letter, uint32_t oid) {
    if ((letter != u'e' && letter != u'v') || oid == 0 || oid == m_openOid || m_busy ||
        m_services.store == nullptr || !m_services.store->manager().nameParts(oid)) {
        return;
    }
    if (!m_list->selectContact(oid)) {
        m_groups.clear();
        m_smallBar->resetPresses();
        m_bigBar->resetPresses();
        m_textTracker.reset();
        m_search->clear();
        m_list->refill(currentSearch());
        m_list->selectContact(oid);
    }
    selectionChanged();
    if (letter == u'v') {
        openCardView(oid);
    } else if (isCommandAvailable(kCmdEditContact)) {
        ContactRecord record;
        if (m_services.store->manager().readContact(oid, record)) {
            openEditForm(record);
        }
    }
}

// Each selected contact is read and added again as a new contact, which is
// then selected and put first in the recently used contacts. Contacts that
// could not be read or written are counted and reported once at the end.
namespace {
constexpr int kDuplicateCaption = 41285;  // "Duplicate"
}  // namespace

void ContactsFrame::duplicateSelection() {
    const QList<Oid> oids = m_list->selectedOids();
    if (oids.isEmpty()) {
        return;
    }
    int failed = 0;
    {
        const WaitCursor wait;
        ContactManager& manager = m_services.store->manager();
        for (const Oid oid : oids) {
            ContactRecord record;
            if (!manager.readContact(oid, record)) {
                ++failed;
                continue;
            }
            record.oid = 0;
            if (manager.writeContact(record) == ContactManager::SaveOutcome::NotWritten) {
                ++failed;
                continue;
            }
            m_list->refresh();
            m_list->selectContact(record.oid);
            m_list->addRecent(record.oid);
        }
        selectionChanged();
    }
    if (failed > 0) {
        MessageBoxes::current().show(
            window(),
            failed == 1 ? QStringLiteral("A contact could not be duplicated.")
                        : QStringLiteral("%1 contacts could not be duplicated.").arg(failed),
            loadString(kDuplicateCaption), MessageBoxes::Icon::Error);
    }
}

// A full re-index under the progress window, then a refill keeping the
// selected contact.
void ContactsFrame::reindex() {
    const WaitCursor wait;
    m_services.store->manager().reindex();
    m_list->refresh();
    if (m_selectedOid != 0) {
        m_list->selectContact(m_selectedOid);
    }
    selectionChanged();
}

}  // namespace kontavo
