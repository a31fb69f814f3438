#include "store/contacts/indexstartup.h"

#include "store/contacts/indexsharing.h"

namespace kontavo {

bool rebuildIndex(ContactIndex& index, ContactReader& reader, ProgressSink* progress,
                  bool userRequested, IndexSharing* sharing) {
    if (sharing == nullptr) {
        return index.rebuild(reader, progress, userRequested);
    }
    sharing->broadcastStop();
    const bool rebuilt = sharing->isMaster() && index.rebuild(reader, progress, userRequested);
    sharing->broadcastReload();
    return rebuilt;
}

IndexStartup startIndex(ContactIndex& index, ContactReader& reader, const DbInfo& database,
                        ProgressSink* progress, IndexSharing* sharing) {
    switch (index.open(database)) {
        case ContactIndex::OpenResult::Current:
            return IndexStartup::Current;
        case ContactIndex::OpenResult::Stale:
            if (index.synchronize(reader, progress) == ContactIndex::SyncResult::Done) {
                return IndexStartup::Synchronised;
            }
            break;
        case ContactIndex::OpenResult::Rebuild:
            break;
    }
    return rebuildIndex(index, reader, progress, false, sharing) ? IndexStartup::Rebuilt
                                                                 : IndexStartup::Failed;
}

QString startupName(IndexStartup startup) {
    switch (startup) {
        case IndexStartup::Current:
            return QStringLiteral("current");
        case IndexStartup::Synchronised:
            return QStringLiteral("synchronised");
        case IndexStartup::Rebuilt:
            return QStringLiteral("rebuilt");
        case IndexStartup::Failed:
            break;
    }
    return QStringLiteral("failed");
}

}  // namespace kontavo
