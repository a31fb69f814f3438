#include "store/index/indexsynchronizer.h"

#include <algorithm>

#include "diag/resources.h"
#include "store/contacts/contactreader.h"
#include "store/index/progressmeter.h"

namespace kontavo {

namespace {

constexpr int kUpdateTextId = 42101;  // "Update indexes"

bool contains(const std::vector<Oid>& sorted, Oid oid) {
    return std::binary_search(sorted.begin(), sorted.end(), oid);
}

}  // namespace

ContactIndex::SyncResult IndexSynchronizer::run(ProgressSink* progress,
                                                const RecordTime& recordTime) {
    using Result = ContactIndex::SyncResult;
    const auto database = m_reader.databaseInfo();
    if (!database) {
        return Result::Failed;
    }
    const QList<Oid> listed = m_index.allOids();
    std::vector<Oid> indexed(listed.begin(), listed.end());
    std::sort(indexed.begin(), indexed.end());
    if (indexed.empty() || std::adjacent_find(indexed.begin(), indexed.end()) != indexed.end()) {
        return Result::NeedsRebuild;
    }
    const std::optional<Differences> found = find(indexed, database->recordCount);
    if (!found) {
        return Result::Failed;
    }
    if (tooMany(*found)) {
        return Result::NeedsRebuild;
    }
    if (found->total() == 0) {
        return recordTime(database->lastModified) ? Result::Done : Result::Failed;
    }
    return apply(*found, progress, database->lastModified) ? Result::Done : Result::Failed;
}

bool IndexSynchronizer::tooMany(const Differences& found) const {
    return int(found.deleted.size()) > kMaxDeletions || found.total() > kMaxChanges;
}

std::optional<IndexSynchronizer::Differences> IndexSynchronizer::find(
    const std::vector<Oid>& indexed, uint32_t recordCount) {
    if (std::optional<Differences> logged = findInLog(indexed, recordCount)) {
        return logged;
    }
    return findByScan(indexed);
}

// Every record the log names is compared as the scan compares it, so the
// differences found are differences the scan finds too; what the log does not
// name has not changed since the index's time.
std::optional<IndexSynchronizer::Differences> IndexSynchronizer::findInLog(
    const std::vector<Oid>& indexed, uint32_t recordCount) {
    const std::optional<QList<Oid>> touched = m_reader.changedSince(m_indexTime);
    if (!touched) {
        return std::nullopt;
    }
    Differences found;
    found.source = Source::ChangeLog;
    for (Oid oid : *touched) {
        std::optional<uint32_t> checksum;
        if (!m_reader.readChecksum(oid, checksum)) {
            return std::nullopt;
        }
        const bool wasIndexed = contains(indexed, oid);
        if (!checksum) {
            if (wasIndexed) {
                found.deleted.push_back(oid);
            }
        } else if (!wasIndexed) {
            found.added.push_back(oid);
        } else if (m_index.storedChecksum(oid) != *checksum) {
            found.changed.push_back(oid);
        }
        if (tooMany(found)) {
            return found;  // a rebuild follows whatever else changed
        }
    }
    const int64_t expected =
        int64_t(indexed.size()) - int64_t(found.deleted.size()) + int64_t(found.added.size());
    if (expected != int64_t(recordCount)) {
        return std::nullopt;
    }
    return found;
}

std::optional<IndexSynchronizer::Differences> IndexSynchronizer::findByScan(
    const std::vector<Oid>& indexed) {
    Differences found;
    found.source = Source::Scan;
    std::optional<QList<Oid>> present = m_reader.databaseOids();
    if (!present) {
        return std::nullopt;
    }
    std::sort(present->begin(), present->end());
    std::set_difference(indexed.begin(), indexed.end(), present->begin(), present->end(),
                        std::back_inserter(found.deleted));
    if (int(found.deleted.size()) > kMaxDeletions) {
        return found;
    }
    const bool scanned = m_reader.scanChecksums([&](Oid oid, uint32_t checksum) {
        if (!contains(indexed, oid)) {
            found.added.push_back(oid);
        } else if (found.total() <= kMaxChanges && m_index.storedChecksum(oid) != checksum) {
            // Past the threshold only the count matters, not the checksums.
            found.changed.push_back(oid);
        }
    });
    if (!scanned) {
        return std::nullopt;
    }
    std::sort(found.added.begin(), found.added.end());
    std::sort(found.changed.begin(), found.changed.end());
    return found;
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
