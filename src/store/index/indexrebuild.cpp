#include "store/index/indexrebuild.h"

#include <algorithm>

#include "store/index/indexbuilder.h"
#include "store/index/indexcollector.h"
#include "store/index/indexfiles.h"

namespace kontavo {

namespace {

IndexContents contentsOf(const IndexCollector& collector) {
    IndexContents contents;
    contents.oids = collector.oids();
    contents.words[0] = &collector.words(0);
    contents.words[1] = &collector.words(1);
    return contents;
}

}  // namespace

bool IndexRebuild::storeAll(IndexFiles& files, const IndexCollector& collector,
                            uint64_t databaseTime) {
    const uint64_t propsBytes = std::min<uint64_t>(collector.propsBytes(), UINT32_MAX);
    if (!files.create(PropsStore::sizeFor(uint32_t(propsBytes)))) {
        return false;
    }
    PropsStore& props = files.props();
    IndexContents contents = contentsOf(collector);
    contents.records.reserve(contents.oids.size());
    for (uint32_t rank = 0; rank < contents.oids.size(); ++rank) {
        const auto offset = props.insert(collector.record(rank).toByteArray());
        if (!offset) {
            return false;
        }
        contents.records.push_back(*offset);
    }
    if (!IndexBuilder::build(files.indexMemory(), contents, files.changeCount() + 1) ||
        !files.index().open()) {
        return false;
    }
    props.setLastModified(databaseTime);
    props.setBusy(false);
    files.markCurrent();
    return true;
}

bool IndexRebuild::storeWords(IndexFiles& files, const IndexCollector& collector) {
    IndexStore& index = files.index();
    IndexContents contents = contentsOf(collector);
    for (Oid oid : contents.oids) {
        const auto record = index.recordOf(oid);
        if (!record) {
            return false;
        }
        contents.records.push_back(*record);
    }
    contents.listOne = index.oids(IndexStore::kListOne);
    PropsStore& props = files.props();
    props.setBusy(true);
    if (!IndexBuilder::build(files.indexMemory(), contents, files.changeCount() + 1) ||
        !index.open()) {
        return false;
    }
    props.setBusy(false);
    files.markCurrent();
    return true;
}

}  // namespace kontavo
