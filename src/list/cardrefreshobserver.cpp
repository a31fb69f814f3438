#include "list/cardrefreshobserver.h"

namespace kontavo {

void CardRefreshObserver::onChanged(Oid oid) {
    m_list.onChanged(oid);
    if (m_changed) {
        m_changed(oid);
    }
}

void CardRefreshObserver::onReloaded() {
    m_list.onReloaded();
    if (m_changed) {
        m_changed(0);
    }
}

}  // namespace kontavo
