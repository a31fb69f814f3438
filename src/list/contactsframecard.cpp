// The contacts frame's card: the card under the list and the full-screen
// card opened from it.
#include "card/contactcarddialog.h"
#include "card/contactcardview.h"
#include "list/contactsframe.h"
#include "list/contactstoresession.h"
#include "list/splitterwnd.h"
#include "platform/devicefs.h"
#include "store/contacts/contactmanager.h"
#include "ui/framehost.h"

namespace kontavo {

ContactActions& ContactsFrame::actions() const {
    if (m_services.actions != nullptr) {
        return *m_services.actions;
    }
    return m_unavailableActions;
}

// The card pane has room unless the splitter or its bar at the bottom hides it.
bool ContactsFrame::isCardShown() const {
    const SplitterState& state = m_splitter->state();
    return state.isVisible() && state.mode() != SplitMode::Bottom;
}

// The selected contact goes into the card when it is not there yet, or when
// it changed while the card had no room.
void ContactsFrame::showSelectedInCard() {
    if (m_card == nullptr || !isCardShown()) {
        return;
    }
    if (m_selectedOid != m_card->contactOid()) {
        rebuildCard(false);
    } else if (m_cardStale) {
        rebuildCard(true);
    }
}

void ContactsFrame::rebuildCard(bool keepPosition) {
    if (m_card == nullptr) {
        return;
    }
    m_cardStale = false;
    ContactRecord record;
    if (m_selectedOid == 0 || m_services.store == nullptr ||
        !m_services.store->manager().readContact(m_selectedOid, record)) {
        m_card->clearCard();
        return;
    }
    m_card->showCard(ContactCardBuilder(m_cardContext).build(record, m_template), record.oid,
                     keepPosition && record.oid == m_card->contactOid());
}

// A change in the store: the card follows its contact (0: everything may
// have changed).
void ContactsFrame::contactChanged(Oid oid) {
    if (m_card == nullptr || (oid != 0 && oid != m_card->contactOid())) {
        return;
    }
    if (isCardShown()) {
        rebuildCard(true);
    } else {
        m_cardStale = true;
    }
}

// In the card under the list an action leaves the focus in the card.
void ContactsFrame::cardLinkActivated(const CardLink& link, bool byTalkKey) {
    CardLinkRouter(&actions(), m_dialMethod).activate(link, m_card->contactOid(), byTalkKey);
    m_card->setFocus();
}

void ContactsFrame::openCardView(Oid oid) {
    if (oid == 0 || m_busy || oid == m_openOid || m_services.store == nullptr) {
        return;
    }
    ContactRecord record;
    if (!m_services.store->manager().readContact(oid, record)) {
        return;
    }
    QWidget* owner = m_services.host != nullptr ? m_services.host->mainWindow() : nullptr;
    auto* dialog =
        new ContactCardDialog(m_services.screen, CardLinkRouter(&actions(), m_dialMethod),
                              owner != nullptr ? owner : window());
    dialog->setEditAvailable(isCommandAvailable(kCmdEditContact));
    const DeviceFs* device = m_services.device;
    dialog->view()->setPhoneDeviceTest(
        [device] { return device != nullptr && device->isPhoneDevice(); });
    dialog->view()->showCard(ContactCardBuilder(m_cardContext).build(record, m_template),
                             record.oid);
    dialog->setWindowModality(Qt::ApplicationModal);
    connect(dialog, &QDialog::finished, this, &ContactsFrame::cardViewEnded);
    m_cardDialog = dialog;
    m_busy = true;
    m_openOid = oid;
    if (m_services.host != nullptr) {
        m_services.host->setBusy(true);
    }
    dialog->createModeless();
}

// "Edit..." asks for the edit form of the contact; focus goes back to the list.
void ContactsFrame::cardViewEnded(int result) {
    if (m_cardDialog != nullptr) {
        m_cardDialog->deleteLater();
    }
    m_cardDialog = nullptr;
    const Oid oid = m_openOid;
    m_busy = false;
    m_openOid = 0;
    if (m_services.host != nullptr) {
        m_services.host->setBusy(false);
    }
    if (result == ContactCardDialog::kEditRequested && isCommandAvailable(kCmdEditContact) &&
        m_list->selectContact(oid)) {
        handleCommand(kCmdEditContact, 0);
    }
    m_list->view()->activateWindow();
    m_list->view()->setFocus();
}

}  // namespace kontavo
