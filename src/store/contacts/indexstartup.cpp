#include "store/contacts/indexstartup.h"

namespace kontavo {

IndexStartup startIndex(ContactIndex& index, ContactReader& reader, const DbInfo& database,
                        ProgressSink* progress) {
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
    return index.rebuild(reader, progress, false) ? IndexStartup::Rebuilt : IndexStartup::Failed;
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
