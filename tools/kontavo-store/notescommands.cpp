// notes OID [--hex] and set-notes OID FILE: the stored notes as they are.
#include <QFile>

#include "contactargument.h"
#include "contactwriter.h"
#include "store/contacts/contactsdatabase.h"
#include "store/notes/extendedblock.h"
#include "storecommand.h"
#include "storeoutput.h"

namespace kontavo {

namespace {

QString hexDump(const QByteArray& bytes) {
    QString text;
    for (qsizetype at = 0; at < bytes.size(); at += 32) {
        text += QString::fromLatin1(bytes.mid(at, 32).toHex(' ')) + QLatin1Char('\n');
    }
    return text;
}

int runNotes(StoreContext& context, const CommandArgs& args) {
    int status = kExitOk;
    const std::optional<DbRecord> read = contactArgument(context, args.positional[0], status);
    if (!read) {
        return status;
    }
    const QByteArray blob = blobProperty(*read, kTagNotes);
    const bool hex = args.has(QStringLiteral("--hex"));
    printOut(hex ? hexDump(blob) : noteToText(blob, context.locale) + QLatin1Char('\n'));
    return kExitOk;
}

// The bytes are stored as they are, block or not: this is how another
// program would write them, and how damaged notes are made for tests.
int runSetNotes(StoreContext& context, const CommandArgs& args) {
    int status = kExitOk;
    const std::optional<DbRecord> read = contactArgument(context, args.positional[0], status);
    if (!read) {
        return status;
    }
    const QString& file = args.positional[1];
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly)) {
        return fail(QStringLiteral("cannot read %1: %2").arg(file, input.errorString()),
                    kExitFailed);
    }
    const QByteArray bytes = input.readAll();
    const PropValue value =
        bytes.isEmpty() ? PropValue::deletion(kTagNotes) : PropValue::blob(kTagNotes, bytes);
    if (context.db.handle().write(read->oid, {value}) == 0) {
        return fail(QStringLiteral("the notes of %1 cannot be written").arg(read->oid),
                    kExitFailed);
    }
    return args.has(kWaitOption) && !waitForIndex(context) ? kExitFailed : kExitOk;
}

}  // namespace

StoreCommandInfo notesCommand() {
    return {QStringLiteral("notes"),
            QStringLiteral("notes OID [--hex]"),
            QStringLiteral("the stored notes as text, or their bytes in hex"),
            1,
            1,
            {{QStringLiteral("--hex"), QString()}},
            {},
            runNotes};
}

StoreCommandInfo setNotesCommand() {
    return {
        QStringLiteral("set-notes"),
        QStringLiteral("set-notes OID FILE [--wait]"),
        QStringLiteral("store FILE's bytes as the contact's notes (an empty FILE deletes them)"),
        2,
        2,
        {{kWaitOption, QString()}},
        {},
        runSetNotes,
        true};
}

}  // namespace kontavo
