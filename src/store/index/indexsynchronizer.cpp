#include "store/index/indexsynchronizer.h"

#include <algorithm>

#include "diag/resources.h"
#include "store/contacts/contactreader.h"
#include "store/index/progressmeter.h"

namespace kontavo {

namespace {

constexpr int kUpdateTextId = 42101;  // "Update indexes"

bool hasDuplicate(const QList<Oid>& sorted) {
    return std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end();
}

}  // namespace

ContactIndex::SyncResult IndexSynchronizer::run(ProgressSink* progress,
                                                const RecordTime& recordTime) {
    using Result = ContactIndex::SyncResult;
    const auto database = m_reader.databaseInfo();
    if (!database) {
        return Result::Failed;
    }
    QList<Oid> indexed = m_index.allOids();
    std::sort(indexed.begin(), indexed.end());
    if (indexed.isEmpty() || hasDuplicate(indexed)) {
        return Result::NeedsRebuild;
    }
    Differences found;
    if (!findDeleted(indexed, found)) {
        return Result::Failed;
    }
    if (int(found.deleted.size()) > kMaxDeletions) {
        return Result::NeedsRebuild;
    }
    if (!findChanged(indexed, found)) {
        return Result::Failed;
    }
    if (found.total() > kMaxChanges) {
        return Result::NeedsRebuild;
    }
    if (found.total() == 0) {
        return recordTime(database->lastModified) ? Result::Done : Result::Failed;
    }
    return apply(found, progress, database->lastModified) ? Result::Done : Result::Failed;
}

bool IndexSynchronizer::findDeleted(const QList<Oid>& indexed, Differences& found) {
    auto present = m_reader.databaseOids();
    if (!present) {
        return false;
    }
    std::sort(present->begin(), present->end());
    std::set_difference(indexed.begin(), indexed.end(), present->begin(), present->end(),
                        std::back_inserter(found.deleted));
    return true;
}

bool IndexSynchronizer::findChanged(const QList<Oid>& indexed, Differences& found) {
    return m_reader.scanChecksums([&](Oid oid, uint32_t checksum) {
        if (!std::binary_search(indexed.begin(), indexed.end(), oid)) {
            found.added.push_back(oid);
        } else if (found.total() <= kMaxChanges && m_index.storedChecksum(oid) != checksum) {
            // Past the threshold only the count matters, not the checksums.
            found.changed.push_back(oid);
        }
    });
}

bool IndexSynchronizer::apply(const Differences& found, ProgressSink* progress,
                              uint64_t databaseTime) {
    ProgressMeter meter(progress, loadString(kUpdateTextId), found.total());
    for (Oid oid : found.deleted) {
        if (!m_index.remove(oid, databaseTime)) {
            return false;
        }
        meter.step();
    }
    for (const auto* list : {&found.added, &found.changed}) {
        for (Oid oid : *list) {
            IndexedContact contact;
            const bool read = m_reader.readForIndex(oid, contact);
            if (!read || !(list == &found.added ? m_index.insert(contact, databaseTime)
                                                : m_index.update(contact, databaseTime))) {
                return false;
            }
            meter.step();
        }
    }
    return true;
}

}  // namespace kontavo
