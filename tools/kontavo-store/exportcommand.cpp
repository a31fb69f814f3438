// export [OID...] [--output FILE]: contacts as vCards.
#include <QSaveFile>
#include <cstdio>

#include "comm/vcard.h"
#include "store/contacts/contactsdatabase.h"
#include "store/contacts/listquery.h"
#include "store/notes/extendedblock.h"
#include "storecommand.h"
#include "storeoutput.h"

namespace kontavo {

namespace {

// The Oids to export: the arguments, or every contact in database order.
std::optional<QList<Oid>> exportedOids(StoreContext& context, const QStringList& arguments,
                                       int& status) {
    QList<Oid> oids;
    if (arguments.isEmpty()) {
        QList<ListEntry> entries;
        if (!ListQuery(context.db.handle()).all(CategoryFilter::any(), entries)) {
            status = fail(QStringLiteral("the contacts database cannot be read to its end"),
                          kExitFailed);
            return std::nullopt;
        }
        for (const ListEntry& entry : entries) {
            oids.append(entry.oid);
        }
        return oids;
    }
    for (const QString& argument : arguments) {
        const std::optional<Oid> oid = oidArgument(argument);
        if (!oid) {
            status = kExitUsage;
            return std::nullopt;
        }
        oids.append(*oid);
    }
    return oids;
}

// One contact as a card; nullopt after printing why it cannot be read.
std::optional<QByteArray> cardOf(StoreContext& context, Oid oid) {
    VCardContact contact;
    ContactRecord& record = contact.record;
    if (!context.db.readRecord(oid, record)) {
        printErr(QStringLiteral("no contact %1").arg(oid));
        return std::nullopt;
    }
    QString text;
    if (!readBlock(record.notesBlob, record.extended, text, context.locale)) {
        printErr(QStringLiteral("the notes of %1 hold a block that cannot be read; its extended "
                                "properties are left out")
                     .arg(oid));
    }
    record.userNote = stripBlock(record.notesBlob, context.locale);
    contact.categories = context.db.categories().namesOfMask(record.categoryMask);
    return writeVCard(contact, context.locale);
}

// Writes through a temporary file renamed over FILE at the end, so that a
// failed export leaves an existing FILE as it was.
bool writeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        printErr(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

int runExport(StoreContext& context, const CommandArgs& args) {
    int status = kExitOk;
    const std::optional<QList<Oid>> oids = exportedOids(context, args.positional, status);
    if (!oids) {
        return status;
    }
    QByteArray bytes;
    for (Oid oid : *oids) {
        const std::optional<QByteArray> card = cardOf(context, oid);
        if (!card) {
            return fail(QStringLiteral("nothing was exported"), kExitFailed);
        }
        bytes += *card;
    }
    const QString output = args.value(QStringLiteral("--output"));
    if (output.isEmpty()) {
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
        std::fflush(stdout);
    } else if (!writeFile(output, bytes)) {
        return kExitFailed;
    }
    return status;
}

}  // namespace

StoreCommandInfo exportCommand() {
    return {QStringLiteral("export"),
            QStringLiteral("export [OID...] [--output FILE]"),
            QStringLiteral("contacts (all, or the given ones) as vCards 3.0 on stdout or to FILE"),
            0,
            -1,
            {{QStringLiteral("--output"), QStringLiteral("FILE")}},
            {},
            runExport};
}

}  // namespace kontavo
