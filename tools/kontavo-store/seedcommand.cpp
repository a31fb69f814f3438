// seed N [--seed S]: deterministic demonstration contacts.
#include "contactwriter.h"
#include "platform/locale.h"
#include "store/contacts/contactsdatabase.h"
#include "store/contacts/demoseed.h"
#include "storecommand.h"
#include "storeoutput.h"
#include "storeparticipant.h"

namespace kontavo {

namespace {

int runSeed(StoreContext& context, const CommandArgs& args) {
    bool ok = false;
    const int count = args.positional[0].toInt(&ok);
    if (!ok || count < 0) {
        return fail(
            QStringLiteral("seed needs a count of contacts, got \"%1\"").arg(args.positional[0]),
            kExitUsage);
    }
    uint32_t seed = 1;
    if (args.has(QStringLiteral("--seed"))) {
        seed = args.value(QStringLiteral("--seed")).toUInt(&ok, 0);
        if (!ok) {
            return fail(QStringLiteral("--seed needs a 32-bit number, got \"%1\"")
                            .arg(args.value(QStringLiteral("--seed"))),
                        kExitUsage);
        }
    }
    // Progress on stderr for long runs, one line per committed batch; the
    // other programs are answered between batches.
    const auto progress = [count](int written, int total) {
        if (count > kDemoBatchSize) {
            printErr(QStringLiteral("seeded %1 of %2").arg(written).arg(total));
        }
        StoreParticipant::pump();
    };
    if (!seedDemoContacts(context.db, count, seed, context.locale, progress)) {
        return fail(QStringLiteral("seeding failed: the object store refused a write (the "
                                   "batches reported above stay written)"),
                    kExitFailed);
    }
    printOut(QStringLiteral("seeded %1 contacts\n").arg(count));
    return args.has(kWaitOption) && !waitForIndex(context) ? kExitFailed : kExitOk;
}

}  // namespace

StoreCommandInfo seedCommand() {
    return {QStringLiteral("seed"),
            QStringLiteral("seed N [--seed S] [--wait]"),
            QStringLiteral("write N deterministic demonstration contacts (S: 1 unless given)"),
            1,
            1,
            {{QStringLiteral("--seed"), QStringLiteral("S")}, {kWaitOption, QString()}},
            {},
            runSeed,
            true};
}

}  // namespace kontavo
