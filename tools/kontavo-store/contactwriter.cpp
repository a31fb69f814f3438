#include "contactwriter.h"

#include "store/contacts/contactnotes.h"
#include "store/contacts/contactsdatabase.h"
#include "storeoutput.h"
#include "toolindex.h"

namespace kontavo {

QString writeContact(StoreContext& context, ContactRecord& record, bool create) {
    const std::optional<RebuiltNotes> notes = rebuildNotes(record, context.locale);
    if (!notes) {
        return QStringLiteral(
            "the notes cannot be built (a value is too long, or the note is "
            "damaged); nothing was written");
    }
    record.notesBlob = notes->blob;
    if (!(create ? context.db.createRecord(record) : context.db.updateRecord(record))) {
        return QStringLiteral("the contact cannot be written");
    }
    return QString();
}

bool waitForIndex(StoreContext& context) {
    const std::optional<DbInfo> info = context.db.info();
    if (!info) {
        printErr(QStringLiteral("the contacts database cannot be read"));
        return false;
    }
    ToolIndex tool(context);
    if (!tool.isMaster()) {
        if (tool.waitCurrentTo(info->lastModified)) {
            return true;
        }
        printErr(QStringLiteral("written, but the program keeping the index has not taken the "
                                "change in within %1 s")
                     .arg(ToolIndex::kWaitMs / 1000));
        return false;
    }
    const IndexStartup started = tool.start();
    if (started == IndexStartup::Failed) {
        printErr(QStringLiteral("written, but the index cannot be brought up to date"));
        return false;
    }
    if (started != IndexStartup::Current && !tool.writeBack()) {
        printErr(QStringLiteral("written and indexed, but the index cannot be written to %1")
                     .arg(tool.folder()));
        return false;
    }
    return true;
}

}  // namespace kontavo
