// reindex: builds or brings up to date the index files as the program does
// at start, and says which it did. When another running program keeps the
// index, it is that program's to bring up: the command waits until it is
// current and says so.
#include "storecommand.h"
#include "storeoutput.h"
#include "toolindex.h"

namespace kontavo {

namespace {

int waitForKeeper(ToolIndex& tool) {
    const std::optional<DbInfo> info = tool.databaseInfo();
    if (!info) {
        return fail(QStringLiteral("the contacts database cannot be read"), kExitFailed);
    }
    if (!tool.waitCurrentTo(info->lastModified)) {
        return fail(QStringLiteral("the index is kept by another running program, which has not "
                                   "brought it up to date within %1 s")
                        .arg(ToolIndex::kWaitMs / 1000),
                    kExitFailed);
    }
    printErr(QStringLiteral("the index is kept by another running program"));
    printOut(startupName(IndexStartup::Current) + QLatin1Char('\n'));
    return kExitOk;
}

int runReindex(StoreContext& context, const CommandArgs&) {
    ToolIndex tool(context);
    if (!tool.isMaster()) {
        return waitForKeeper(tool);
    }
    const IndexStartup started = tool.start();
    if (started == IndexStartup::Failed) {
        return fail(QStringLiteral("the index cannot be built"), kExitFailed);
    }
    // Built in memory is not done: the files must be on storage.
    if (started != IndexStartup::Current && !tool.writeBack()) {
        return fail(QStringLiteral("the index was %1 but cannot be written to %2")
                        .arg(startupName(started), tool.folder()),
                    kExitFailed);
    }
    printOut(startupName(started) + QLatin1Char('\n'));
    return kExitOk;
}

}  // namespace

StoreCommandInfo reindexCommand() {
    return {QStringLiteral("reindex"),
            QStringLiteral("reindex"),
            QStringLiteral("bring the index files up as the program does at start; prints "
                           "rebuilt, synchronised or current"),
            0,
            0,
            {},
            {},
            runReindex,
            true};
}

}  // namespace kontavo
