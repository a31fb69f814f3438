#pragma once

#include <QPointer>
#include <functional>
#include <optional>

#include "card/cardlinkrouter.h"
#include "card/contactcard.h"
#include "card/richlist.h"
#include "ui/messagewindow.h"

namespace kontavo {

class ContactTemplate;
struct CardContext;
struct ContactRecord;

// The contact card (`ContactCardView`): the header and lines of one contact
// in a rich list, read-only. A tap, Enter or the action key on a line with
// an action (phone, e-mail, web page, linked file) reports the line as a
// link; the owner carries it out. On a phone device the card takes the
// Talk key while it has the focus (a press then acts on the focused line's
// link as a tap would, marked as coming from the Talk key) and hands it
// back to the window that had it when it loses the focus. Used embedded
// under the contact list and in the full-screen card. UI thread only.
class ContactCardView : public RichList, public MessageWindow {
    Q_OBJECT
public:
    explicit ContactCardView(const Screen& screen = Screen::current(), QWidget* parent = nullptr);
    ~ContactCardView() override;

    // Builds the card of `contact` with `contactTemplate` (`Build`) and
    // shows it from the top, nothing focused.
    void build(const ContactRecord& contact, const ContactTemplate& contactTemplate,
               const CardContext& context);
    // Shows a built card of contact `oid`; `keepPosition` keeps the view and
    // the focused line (the same contact, changed).
    void showCard(ContactCard card, Oid oid, bool keepPosition = false);
    // Shows nothing.
    void clearCard();

    Oid contactOid() const { return m_oid; }
    const ContactCard& card() const { return m_card; }
    // The link of item `index`; nullopt for the header and the note.
    std::optional<CardLink> linkOf(int index) const;

    // Tells whether the device has a phone (asked at each focus change);
    // without it the card never takes the Talk key.
    void setPhoneDeviceTest(std::function<bool()> isPhoneDevice) {
        m_isPhoneDevice = std::move(isPhoneDevice);
    }
    bool hasTalkKey() const { return m_talkKeyTaken; }

    // The Talk key's hot-key message acts on the focused line.
    int32_t windowProc(const WindowMessage& message, QObject* control) override;

signals:
    // A line with an action was tapped or activated by a key.
    void linkActivated(const kontavo::CardLink& link, bool byTalkKey);

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void activateItem(int index, bool byTalkKey);
    void takeTalkKey();
    void giveTalkKeyBack();

    ContactCard m_card;
    Oid m_oid = 0;
    std::function<bool()> m_isPhoneDevice;
    bool m_talkKeyTaken = false;
    QPointer<QWidget> m_talkKeyOwner;
    uint32_t m_talkKeyState = 0;
};

}  // namespace kontavo
