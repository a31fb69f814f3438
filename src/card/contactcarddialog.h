#pragma once

#include <memory>

#include "card/cardlinkrouter.h"
#include "platform/screen.h"
#include "ui/dialogbase.h"

namespace kontavo {

class ContactCardView;

// The full-screen card: one contact's card over the main window, with the
// menu bar "Edit..." and "Close" (menu 164). "Close" (and Escape) ends it
// with kClosed; "Edit..." ends it with kEditRequested, and is enabled only
// when the owner can open the edit form. A tap on a line with an action
// carries the action out through the router and closes the card. Run it
// with createModeless() after setting its modality; its result arrives
// with finished(). UI thread only; the owner deletes it.
class ContactCardDialog final : public DialogBase {
    Q_OBJECT
public:
    static constexpr int kDialogId = 164;
    static constexpr int kMenuId = 164;
    static constexpr int kCmdEdit = 40012;
    static constexpr int kCmdClose = 40013;
    // Results besides QDialog's own.
    static constexpr int kClosed = QDialog::Rejected;
    static constexpr int kEditRequested = 2;

    ContactCardDialog(const Screen& screen, CardLinkRouter router, QWidget* parent = nullptr);
    ~ContactCardDialog() override;

    ContactCardView* view() const { return m_view; }
    // Whether "Edit..." can be chosen (set before the dialog is shown).
    void setEditAvailable(bool available) { m_editAvailable = available; }

protected:
    bool onInitDialog() override;
    void onCommand(int notificationCode, int id, QObject* control) override;

private:
    void linkActivated(const CardLink& link, bool byTalkKey);

    ContactCardView* m_view;
    CardLinkRouter m_router;
    bool m_editAvailable = false;
};

}  // namespace kontavo
