#include "comm/cardlinks.h"

#include "comm/contactactions.h"

namespace kontavo {

bool actOnCardLink(int kind, const QString& text, Oid oid, bool byTalkKey,
                   ContactActions& actions) {
    switch (CardLinkKind(kind)) {
        case CardLinkKind::Phone:
            // The card dials by the method cached at start-up or last change.
            routeCall(dialMethodOf(currentDialupMode()), text, oid, !byTalkKey, &actions);
            return true;
        case CardLinkKind::Email:
            actions.sendEmail(text);
            return false;
        case CardLinkKind::Web:
            actions.openUrl(text);
            return false;
        case CardLinkKind::LinkedFile:
            actions.openLinkedFile(text);
            return false;
    }
    return false;
}

}  // namespace kontavo
