// set-picture OID FILE | set-picture OID --clear: a contact's picture from an
// image file, framed as the picture editor first shows it, or removed.
#include "contactargument.h"
#include "card/framedpicture.h"
#include "managersession.h"
#include "platform/devicefs.h"
#include "store/pictures/imagefile.h"
#include "store/record/contactrecord.h"
#include "store/record/picturename.h"
#include "storecommand.h"
#include "storeoutput.h"

namespace kontavo {

namespace {

const QString kClearOption = QStringLiteral("--clear");
// How long a tool that keeps the index waits at the end for notifications.
constexpr int kCatchUpMs = 10000;

QString loadFailure(int code, const QString& file) {
    switch (code) {
        case imagecode::kCannotOpen:
            return QStringLiteral("%1: Cannot open picture file").arg(file);
        case imagecode::kNoMemory:
            return QStringLiteral("%1: Not enough memory to load image").arg(file);
        default:
            return QStringLiteral("%1: Image format is not supported").arg(file);
    }
}

// The picture the editor would hand back for `file` opened and confirmed
// at once; sets `why` when there is none.
Picture framedPicture(const QString& file, QString& why) {
    const ImageLoad load = loadImageFile(file, framedpicture::kMaxJpegReduction);
    if (!load.ok()) {
        why = loadFailure(load.code, file);
        return nullptr;
    }
    Picture framed = framedpicture::frame(load.picture);
    if (framed == nullptr) {
        why = QStringLiteral("%1: the picture is too small to frame").arg(file);
    }
    return framed;
}

int runSetPicture(StoreContext& context, const CommandArgs& args) {
    const bool clear = args.has(kClearOption);
    if (clear == (args.positional.size() == 2)) {
        return fail(QStringLiteral("give either FILE or --clear"), kExitUsage);
    }
    int status = kExitOk;
    const std::optional<DbRecord> read = contactArgument(context, args.positional[0], status);
    if (!read) {
        return status;
    }
    ContactRecord record;
    QString why;
    if (!clear) {
        record.picture = framedPicture(args.positional[1], why);
        if (record.picture == nullptr) {
            return fail(why, kExitFailed);
        }
    }
    ManagerSession session(context);
    ContactRecord stored;
    if (!session.open() || !session.manager().readContact(read->oid, stored)) {
        return fail(QStringLiteral("the index cannot be opened"), kExitFailed);
    }
    if (clear && !stored.extended.image.isEmpty()) {
        // Asked for by name: the file goes even when it cannot be decoded.
        session.fs().removeFile(picturePath(stored.extended.image));
        stored.extended.image.clear();
    }
    stored.picture = record.picture;
    const bool saved = session.manager().updateContact(stored);
    if (session.manager().isMaster()) {
        session.manager().catchUp(kCatchUpMs);
    }
    if (!clear && !samePicture(session.pictures().read(stored.extended.image), record.picture)) {
        return fail(QStringLiteral("the picture of %1 cannot be written").arg(read->oid),
                    kExitFailed);
    }
    if (!saved) {
        return fail(QStringLiteral("contact %1 was written; the index could not take it in "
                                   "(it is brought up to date at the next start)")
                        .arg(read->oid),
                    kExitFailed);
    }
    printOut(clear ? QString() : stored.extended.image + QLatin1Char('\n'));
    return kExitOk;
}

}  // namespace

StoreCommandInfo setPictureCommand() {
    return {QStringLiteral("set-picture"),
            QStringLiteral("set-picture OID (FILE | --clear)"),
            QStringLiteral("frame a BMP, GIF, JPEG or TIFF file as the contact's picture "
                           "(prints its file name), or remove the picture"),
            1,
            2,
            {{kClearOption, QString()}},
            {},
            runSetPicture,
            true};
}

}  // namespace kontavo
