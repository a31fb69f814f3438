// import FILE: every card of a vCard file becomes a new contact, written the
// way the program writes one (ContactManager: notes rebuilt, categories
// counted, the index kept in step).
#include <QFile>

#include "comm/vcard.h"
#include "platform/devicefs.h"
#include "platform/sqliteregistry.h"
#include "store/contacts/contactmanager.h"
#include "store/index/pimindex.h"
#include "store/settings/settingsstore.h"
#include "storecommand.h"
#include "storeoutput.h"
#include "toolindex.h"

namespace kontavo {

namespace {

// The contact manager of the device, with the device's index.
class ImportSession {
public:
    explicit ImportSession(StoreContext& context)
        : m_fs(context.root),
          m_registry(SqliteRegistry::fileInRoot(context.root)),
          m_settings(m_registry),
          m_manager(context.store,
                    std::make_unique<PimIndex>(m_fs, m_settings, nullptr, context.locale), m_fs,
                    context.locale) {}
    ~ImportSession() {
        if (m_manager.isOpen()) {
            m_manager.shutdown();
        }
    }

    bool open() { return m_manager.init(nullptr, nullptr, &m_progress); }
    ContactManager& manager() { return m_manager; }

private:
    DeviceFs m_fs;
    SqliteRegistry m_registry;
    SettingsStore m_settings;
    ContactManager m_manager;
    StderrProgress m_progress;
};

// Adds one card's contact; prints its Oid, or why it failed.
bool importOne(ContactManager& manager, VCardContact& contact, int number) {
    ContactRecord& record = contact.record;
    const std::optional<QByteArray> mask = manager.categories().maskAddingNames(contact.categories);
    if (!mask) {
        printErr(QStringLiteral("card %1: its categories cannot be written").arg(number));
        return false;
    }
    record.categoryMask = *mask;
    if (!manager.addContact(record)) {
        printErr(record.oid == 0
                     ? QStringLiteral("card %1 cannot be written (a value too long for the "
                                      "notes, or the store refused)")
                           .arg(number)
                     : QStringLiteral("card %1 was written as %2 but not indexed")
                           .arg(number)
                           .arg(record.oid));
        return false;
    }
    printOut(QStringLiteral("%1\n").arg(record.oid));
    return true;
}

int runImport(StoreContext& context, const CommandArgs& args) {
    const QString& path = args.positional[0];
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return fail(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()),
                    kExitFailed);
    }
    VCardReadResult read = readVCards(file.readAll());
    if (read.contacts.isEmpty()) {
        return fail(QStringLiteral("%1 holds no vCard").arg(path), kExitFailed);
    }
    if (read.skippedLines > 0) {
        printErr(QStringLiteral("%1: %2 malformed or stray lines skipped")
                     .arg(path)
                     .arg(read.skippedLines));
    }
    ImportSession session(context);
    if (!session.open()) {
        return fail(QStringLiteral("the contact store or its index cannot be opened"), kExitFailed);
    }
    int failed = 0;
    for (qsizetype at = 0; at < read.contacts.size(); ++at) {
        failed += importOne(session.manager(), read.contacts[at], int(at + 1)) ? 0 : 1;
    }
    if (failed > 0) {
        return fail(QStringLiteral("%1 of %2 cards were not imported")
                        .arg(failed)
                        .arg(read.contacts.size()),
                    kExitFailed);
    }
    return kExitOk;
}

}  // namespace

StoreCommandInfo importCommand() {
    return {QStringLiteral("import"),
            QStringLiteral("import FILE"),
            QStringLiteral("every card of a vCard file (3.0 or 2.1) as a new contact; prints "
                           "the new Oids"),
            1,
            1,
            {},
            {},
            runImport};
}

}  // namespace kontavo
