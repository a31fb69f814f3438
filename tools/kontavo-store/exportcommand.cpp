// export [OID...] [--output FILE]: contacts as vCards.
#include <cstdio>

#include "comm/vcard.h"
#include "comm/vcardexport.h"
#include "comm/vcardimport.h"
#include "platform/devicefs.h"
#include "store/contacts/contactsdatabase.h"
#include "store/contacts/listquery.h"
#include "store/notes/extendedblock.h"
#include "store/pictures/contactpicturefiles.h"
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

// One contact as a card carries it, its picture read from its file; nullopt
// after printing why it cannot be read.
std::optional<VCardContact> contactOf(StoreContext& context, const ContactPictureFiles& pictures,
                                      Oid oid) {
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
    if (!record.extended.image.isEmpty()) {
        contact.picture = vcardPictureOf(pictures.read(record.extended.image));
    }
    return contact;
}

int runExport(StoreContext& context, const CommandArgs& args) {
    int status = kExitOk;
    const std::optional<QList<Oid>> oids = exportedOids(context, args.positional, status);
    if (!oids) {
        return status;
    }
    const QString versionName = args.value(QStringLiteral("--version"));
    const std::optional<VCardVersion> version =
        versionName.isEmpty() ? VCardVersion::V30 : vcardVersionNamed(versionName);
    if (!version) {
        return fail(QStringLiteral("unknown vCard version %1 (3.0 or 4.0)").arg(versionName),
                    kExitUsage);
    }
    const DeviceFs fs(context.root);
    const ContactPictureFiles pictures(fs);
    const VCardExport::Cards cards = VCardExport::collect(
        *oids, [&](Oid oid) { return contactOf(context, pictures, oid); }, *version,
        context.locale, nullptr);
    if (!cards.unreadable.isEmpty()) {
        return fail(QStringLiteral("nothing was exported"), kExitFailed);
    }
    const QString output = args.value(QStringLiteral("--output"));
    QString why;
    if (output.isEmpty()) {
        std::fwrite(cards.bytes.constData(), 1, size_t(cards.bytes.size()), stdout);
        std::fflush(stdout);
    } else if (!VCardExport::save(output, cards.bytes, &why)) {
        return fail(QStringLiteral("cannot write %1: %2").arg(output, why), kExitFailed);
    }
    return status;
}

}  // namespace

StoreCommandInfo exportCommand() {
    return {QStringLiteral("export"),
            QStringLiteral("export [OID...] [--output FILE] [--version 3.0|4.0]"),
            QStringLiteral("contacts (all, or the given ones) as vCards (3.0 unless asked for "
                           "4.0) on stdout or to FILE"),
            0,
            -1,
            {{QStringLiteral("--output"), QStringLiteral("FILE")},
             {QStringLiteral("--version"), QStringLiteral("VERSION")}},
            {},
            runExport};
}

}  // namespace kontavo
