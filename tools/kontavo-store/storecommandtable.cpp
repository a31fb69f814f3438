// The commands of kontavo-store, one source file each. A new command: a file
// defining its StoreCommandInfo, declared and listed here.
#include "storecommand.h"

namespace kontavo {

StoreCommandInfo seedCommand();
StoreCommandInfo listCommand();
StoreCommandInfo showCommand();
StoreCommandInfo addCommand();
StoreCommandInfo setCommand();
StoreCommandInfo deleteCommand();
StoreCommandInfo categoriesCommand();
StoreCommandInfo notesCommand();
StoreCommandInfo setNotesCommand();
StoreCommandInfo watchCommand();
StoreCommandInfo reindexCommand();
StoreCommandInfo verifyIndexCommand();
StoreCommandInfo searchCommand();
StoreCommandInfo importCommand();
StoreCommandInfo exportCommand();
StoreCommandInfo setPictureCommand();

const QList<StoreCommandInfo>& storeCommands() {
    static const QList<StoreCommandInfo> commands = {
        seedCommand(),    listCommand(),        showCommand(),   addCommand(),      setCommand(),
        deleteCommand(),  categoriesCommand(),  notesCommand(),  setNotesCommand(), watchCommand(),
        reindexCommand(), verifyIndexCommand(), searchCommand(), importCommand(),   exportCommand(),
        setPictureCommand(),
    };
    return commands;
}

}  // namespace kontavo
