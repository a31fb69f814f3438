#include "managersession.h"

#include "store/index/pimindex.h"
#include "storeparticipant.h"

namespace kontavo {

ManagerSession::ManagerSession(StoreContext& context)
    : m_context(context),
      m_fs(context.root),
      m_registry(SqliteRegistry::fileInRoot(context.root)),
      m_settings(m_registry),
      m_pictures(m_fs),
      m_manager(context.store,
                std::make_unique<PimIndex>(m_fs, m_settings, nullptr, context.locale), m_fs,
                context.locale) {
    m_manager.setPictures(&m_pictures);
    if (context.participant != nullptr) {
        m_manager.setSharing(&context.participant->sync());
        context.participant->route(&m_manager);
    }
}

ManagerSession::~ManagerSession() {
    if (m_context.participant != nullptr) {
        m_context.participant->route(nullptr);
    }
    if (m_manager.isOpen()) {
        m_manager.shutdown();
    }
}

}  // namespace kontavo
