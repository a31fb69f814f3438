#include "card/cardlinkrouter.h"

#include "card/templategroup.h"

namespace kontavo {

bool CardLinkRouter::hasAction(int type) {
    return type == kGroupPhone || type == kGroupEMail || type == kGroupWeb || type == kGroupLink;
}

bool CardLinkRouter::activate(const CardLink& link, Oid oid, bool byTalkKey) const {
    if (!hasAction(link.type)) {
        return false;
    }
    if (m_actions == nullptr) {
        return true;
    }
    switch (link.type) {
        case kGroupPhone:
            routeCall(m_method, link.text, oid, m_actions, !byTalkKey);
            break;
        case kGroupEMail:
            m_actions->sendEmail(link.text);
            break;
        case kGroupWeb:
            m_actions->openUrl(link.text);
            break;
        default:
            m_actions->openLinkedFile(link.extra);
            break;
    }
    return true;
}

}  // namespace kontavo
