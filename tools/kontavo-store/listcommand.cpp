// list: one line per contact.
#include "contactprinter.h"
#include "store/contacts/contactsdatabase.h"
#include "store/contacts/listquery.h"
#include "storecommand.h"
#include "storeoutput.h"

namespace kontavo {

namespace {

int runList(StoreContext& context, const CommandArgs&) {
    QList<ListEntry> entries;
    const bool complete = ListQuery(context.db.handle()).all(CategoryFilter::any(), entries);
    QString text;
    for (const ListEntry& entry : entries) {
        text += listLine(entry) + QLatin1Char('\n');
    }
    printOut(text);
    return complete ? kExitOk
                    : fail(QStringLiteral("the contacts database cannot be read to its end"),
                           kExitFailed);
}

}  // namespace

StoreCommandInfo listCommand() {
    return {QStringLiteral("list"),
            QStringLiteral("list"),
            QStringLiteral("one line per contact: Oid, name, company, first phone"),
            0,
            0,
            {},
            {},
            runList};
}

}  // namespace kontavo
