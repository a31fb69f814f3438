#pragma once

#include <QString>

#include "store/record/proptag.h"

namespace kontavo {

class ContactActions;

// The kinds of link the contact card reports when one is tapped (or
// activated by the Talk key).
enum class CardLinkKind {
    Phone = 1,
    Email = 2,
    Web = 4,
    LinkedFile = 10,
};

// What a card link does, by its kind: a phone number is called by the
// current dial method (the add-in dialer gets the card's contact `oid`),
// with "Just Call" after starting the phone application unless the Talk key
// activated the link; an e-mail address gets a new message; a web link is
// opened as it stands; a linked file (a device path) is opened with its
// program. Other kinds do nothing here. Returns whether the link was a
// phone link (the card then closes when it is a pop-up, else takes the
// focus back).
bool actOnCardLink(int kind, const QString& text, Oid oid, bool byTalkKey, ContactActions& actions);

}  // namespace kontavo
