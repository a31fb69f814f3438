// kontavo-store: the contact store from the shell. It plays the part of
// the other programs that change the contacts and categories databases.
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

#include "diag/errorlog.h"
#include "diag/fatal.h"
#include "platform/devicefs.h"
#include "platform/locale.h"
#include "platform/privatefiles.h"
#include "platform/sqliteobjectstore.h"
#include "store/contacts/contactsdatabase.h"
#include "storecommandline.h"
#include "storeoutput.h"
#include "storeparticipant.h"

namespace {

using namespace kontavo;

// What the tool cannot recover from goes to the device's "\error.log".
class DeviceLog {
public:
    explicit DeviceLog(const QString& root) : m_fs(root) { setLogDevice(&m_fs); }
    ~DeviceLog() { setLogDevice(nullptr); }
    DeviceLog(const DeviceLog&) = delete;
    DeviceLog& operator=(const DeviceLog&) = delete;

private:
    DeviceFs m_fs;
};

int runStore(const StoreCommandLine& line) {
    const QString root = DeviceFs::resolveRoot(line.deviceRoot);
    if (!makePrivateFolder(root)) {
        return fail(QStringLiteral("cannot create the device root %1").arg(root), kExitFailed);
    }
    const DeviceLog log(root);
    SqliteObjectStore store(SqliteObjectStore::fileInRoot(root));
    ContactsDatabase db(store, Locale::user());
    if (!store.isOpen() || !db.open(line.command->notify)) {
        return fail(QStringLiteral("cannot open the object store in %1").arg(root), kExitFailed);
    }
    std::unique_ptr<StoreParticipant> participant;
    if (line.command->shares) {
        participant = std::make_unique<StoreParticipant>(root, db);
        if (!participant->join()) {
            return fail(QStringLiteral("ten programs share the index of %1 already; try again "
                                       "when one of them has ended")
                            .arg(root),
                        kExitFailed);
        }
    }
    StoreContext context{root, store, db, Locale::user(), participant.get()};
    return line.command->run(context, line.args);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    if (arguments.isEmpty() || arguments.contains(QStringLiteral("--help"))) {
        std::fputs(storeUsage().toUtf8().constData(), arguments.isEmpty() ? stderr : stdout);
        return arguments.isEmpty() ? kExitUsage : kExitOk;
    }
    QString error;
    const std::optional<StoreCommandLine> line = parseStoreCommandLine(arguments, error);
    if (!line) {
        printErr(error);
        printErr(QStringLiteral("run \"kontavo-store --help\" for the commands"));
        return kExitUsage;
    }
    return runMain([&] { return runStore(*line); });
}
