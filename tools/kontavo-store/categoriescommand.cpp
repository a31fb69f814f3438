// categories: every record of the categories database.
#include "store/contacts/categoriesdbmanager.h"
#include "store/contacts/contactsdatabase.h"
#include "storecommand.h"
#include "storeoutput.h"

namespace kontavo {

namespace {

int runCategories(StoreContext& context, const CommandArgs&) {
    const std::optional<QList<CategoryRecord>> records = context.db.categories().readAll();
    if (!records) {
        return fail(QStringLiteral("the categories database cannot be read"), kExitFailed);
    }
    QString text;
    for (const CategoryRecord& r : *records) {
        text += QStringLiteral("%1\t%2\t%3\t%4\t%5\n")
                    .arg(r.oid)
                    .arg(r.hasPosition() ? *r.position : -1)
                    .arg(r.isActive() ? 1 : 0)
                    .arg(r.contactRefs.value_or(0))
                    .arg(categoryDisplayName(r.toCategory()));
    }
    printOut(text);
    return kExitOk;
}

}  // namespace

StoreCommandInfo categoriesCommand() {
    return {QStringLiteral("categories"),
            QStringLiteral("categories"),
            QStringLiteral("the categories: Oid, position, active, contact references, name"),
            0,
            0,
            {},
            {},
            runCategories};
}

}  // namespace kontavo
