#include "card/contactcardview.h"

#include "card/carditems.h"
#include "card/contactcardbuilder.h"
#include "platform/keymap.h"
#include "store/record/contactrecord.h"
#include "ui/shellui.h"
#include "ui/wndmessages.h"

namespace kontavo {

namespace {
constexpr uint32_t kOverrideMask = ShellUi::kNoDefault | ShellUi::kNotify;
}  // namespace

ContactCardView::ContactCardView(const Screen& screen, QWidget* parent) : RichList(screen, parent) {
    setObjectName(QStringLiteral("contactCard"));
    connect(this, &RichList::itemActivated, this,
            [this](int index) { activateItem(index, false); });
}

ContactCardView::~ContactCardView() {
    giveTalkKeyBack();
}

void ContactCardView::build(const ContactRecord& contact, const ContactTemplate& contactTemplate,
                            const CardContext& context) {
    showCard(ContactCardBuilder(context).build(contact, contactTemplate), contact.oid);
}

void ContactCardView::showCard(ContactCard card, Oid oid, bool keepPosition) {
    m_card = std::move(card);
    m_oid = oid;
    setItems(cardItems(m_card, fontCache(), screen()), keepPosition);
}

void ContactCardView::clearCard() {
    showCard(ContactCard(), 0);
}

std::optional<CardLink> ContactCardView::linkOf(int index) const {
    if (index < 0 || index >= items().size()) {
        return std::nullopt;
    }
    const RichItem& item = items()[index];
    if (item.kind != RichItemKind::Text) {
        return std::nullopt;
    }
    return CardLink{item.type, item.text.plainText(), item.extra};
}

void ContactCardView::activateItem(int index, bool byTalkKey) {
    const std::optional<CardLink> link = linkOf(index);
    if (link && CardLinkRouter::hasAction(link->type)) {
        emit linkActivated(*link, byTalkKey);
    }
}

int32_t ContactCardView::windowProc(const WindowMessage& message, QObject*) {
    if (message.id == wm::kHotKey && wm::hiWord(message.lParam) == uint32_t(vk::kTalk)) {
        activateItem(focusItem(), true);
    }
    return 0;
}

bool ContactCardView::event(QEvent* event) {
    if (routeMessageEvent(event, *this)) {
        return true;
    }
    return RichList::event(event);
}

void ContactCardView::focusInEvent(QFocusEvent* event) {
    RichList::focusInEvent(event);
    takeTalkKey();
}

void ContactCardView::focusOutEvent(QFocusEvent* event) {
    RichList::focusOutEvent(event);
    giveTalkKeyBack();
}

void ContactCardView::hideEvent(QHideEvent* event) {
    RichList::hideEvent(event);
    giveTalkKeyBack();
}

void ContactCardView::takeTalkKey() {
    ShellUi* shell = ShellUi::current();
    if (m_talkKeyTaken || shell == nullptr || !m_isPhoneDevice || !m_isPhoneDevice()) {
        return;
    }
    m_talkKeyOwner = shell->keyOverrideOwner(vk::kTalk);
    m_talkKeyState =
        shell->overrideKey(this, vk::kTalk, wm::makeLong(kOverrideMask, kOverrideMask));
    m_talkKeyTaken = true;
}

// The key goes back to the window that had it, with the flags it had.
void ContactCardView::giveTalkKeyBack() {
    ShellUi* shell = ShellUi::current();
    if (!m_talkKeyTaken) {
        return;
    }
    m_talkKeyTaken = false;
    if (shell != nullptr) {
        shell->overrideKey(m_talkKeyOwner, vk::kTalk,
                           wm::makeLong(kOverrideMask, m_talkKeyState & kOverrideMask));
    }
}

}  // namespace kontavo
