// reindex: builds or brings up to date the index files as the program does
// at start, and says which it did.
#include "storecommand.h"
#include "storeoutput.h"
#include "toolindex.h"

namespace kontavo {

namespace {

int runReindex(StoreContext& context, const CommandArgs&) {
    ToolIndex tool(context);
    const IndexStartup started = tool.start();
    if (started == IndexStartup::Failed) {
        return fail(QStringLiteral("the index cannot be built"), kExitFailed);
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
            runReindex};
}

}  // namespace kontavo
