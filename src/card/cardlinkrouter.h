#pragma once

#include <QString>

#include "comm/callrouting.h"

namespace kontavo {

// A line of the card as a link: the template group it comes from, the text
// it shows (without markup) and its extra text (a linked file's path).
struct CardLink {
    int type = 0;
    QString text;
    QString extra;
};

// Carries out what a tapped card line stands for, through the contact
// actions: a phone (group 1) is called by the dial method (the card's own
// contact for the add-in dialer; with "Just Call" the phone application
// comes up first unless the Talk key triggered the link), an e-mail (2) gets
// a message, a web page (4) is opened, a linked file (10) is opened by its
// path. Other lines have no action. Without actions nothing is carried out
// but lines keep their meaning. UI thread only.
class CardLinkRouter {
public:
    CardLinkRouter(ContactActions* actions, DialMethod method)
        : m_actions(actions), m_method(method) {}

    void setDialMethod(DialMethod method) { m_method = method; }
    DialMethod dialMethod() const { return m_method; }

    // Whether a line of group `type` has an action.
    static bool hasAction(int type);
    // Carries out the action of `link` for contact `oid`; false when the
    // line has none.
    bool activate(const CardLink& link, Oid oid, bool byTalkKey) const;

private:
    ContactActions* m_actions;
    DialMethod m_method;
};

}  // namespace kontavo
