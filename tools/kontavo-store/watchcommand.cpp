// watch: one line per change notification of the contacts database, as it
// arrives, until the program is interrupted.
#include <QCoreApplication>
#include <csignal>

#include "store/contacts/contactsdatabase.h"
#include "storecommand.h"
#include "storeoutput.h"

namespace kontavo {

namespace {

const char* kindName(DbNotifyType type) {
    switch (type) {
        case DbNotifyType::Created:
            return "created";
        case DbNotifyType::RecordDeleted:
            return "deleted";
        case DbNotifyType::Changed:
            return "changed";
        case DbNotifyType::ChangesLost:
            return "changes-lost";
    }
    return "unknown";
}

// "KIND OID", flushed at once so that a reader of the pipe sees it.
void printChange(const DbNotification& event) {
    printOut(QStringLiteral("%1 %2\n").arg(QLatin1String(kindName(event.type))).arg(event.oid));
}

// An interrupt ends the event loop, so the store closes normally.
void quitOnSignal(int) {
    QCoreApplication::exit(kExitOk);
}

int runWatch(StoreContext& context, const CommandArgs&) {
    std::signal(SIGINT, quitOnSignal);
    std::signal(SIGTERM, quitOnSignal);
    printErr(QStringLiteral("watching \"%1\" (Oid %2); interrupt to stop")
                 .arg(ContactsDatabase::databaseName())
                 .arg(context.db.oid()));
    return QCoreApplication::exec();
}

}  // namespace

StoreCommandInfo watchCommand() {
    return {QStringLiteral("watch"),
            QStringLiteral("watch"),
            QStringLiteral("print each change of the contacts database (KIND OID) until "
                           "interrupted"),
            0,
            0,
            {},
            printChange,
            runWatch};
}

}  // namespace kontavo
