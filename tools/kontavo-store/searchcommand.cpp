// search TEXT...: the contacts with a word beginning with every word of TEXT.
// search --groups GROUP...: the contacts with a word whose letters lie in the
// named letter groups in order (the ABC bar's quick search).
#include "contactprinter.h"
#include "store/contacts/categoryfilter.h"
#include "store/contacts/contactsdatabase.h"
#include "store/contacts/listquery.h"
#include "storecommand.h"
#include "storeoutput.h"
#include "toolindex.h"

namespace kontavo {

namespace {

// The group codes of the groups named by their labels (either label, any
// case); nullopt, with the reason printed, for a name no group has.
std::optional<QString> groupKey(const LetterGroupSet& groups, const QStringList& names) {
    QString key;
    for (const QString& name : names) {
        int found = -1;
        for (int group = 0; group < groups.count() && found < 0; ++group) {
            if (groups.labels()[group].compare(name, Qt::CaseInsensitive) == 0 ||
                groups.alternateLabels()[group].compare(name, Qt::CaseInsensitive) == 0) {
                found = group;
            }
        }
        if (found < 0) {
            printErr(QStringLiteral("no letter group \"%1\" in the active set (%2)")
                         .arg(name, groups.labels().join(QLatin1Char(' '))));
            return std::nullopt;
        }
        key.append(groups.groupCode(found));
    }
    return key;
}

int runSearch(StoreContext& context, const CommandArgs& args) {
    ToolIndex tool(context);
    const IndexStartup started = tool.start();
    if (started == IndexStartup::Failed) {
        return fail(tool.isMaster() ? QStringLiteral("the index cannot be built")
                                    : QStringLiteral("the index kept by another running program "
                                                     "cannot be read"),
                    kExitFailed);
    }
    if (started != IndexStartup::Current) {
        printErr(QStringLiteral("index %1").arg(startupName(started)));
    }
    std::optional<QString> key;
    if (args.has(QStringLiteral("--groups"))) {
        key = groupKey(tool.index().letterGroups(), args.positional);
        if (!key) {
            return kExitUsage;
        }
    }
    // Another program may change the index meanwhile: the lookup is made
    // again until it saw one state of it.
    QList<Oid> oids;
    const bool settled = tool.readSettled([&] {
        oids = key ? tool.index().findGroupKey(*key)
                   : tool.index().findWords(args.positional.join(QLatin1Char(' ')));
    });
    if (!settled) {
        return fail(QStringLiteral("the index kept changing while it was searched"), kExitFailed);
    }
    QList<ListEntry> entries;
    const bool read = oids.isEmpty() ||
                      ListQuery(context.db.handle()).ofOids(oids, CategoryFilter::any(), entries);
    QString text;
    for (const ListEntry& entry : entries) {
        text += listLine(entry) + QLatin1Char('\n');
    }
    printOut(text);
    return read ? kExitOk : fail(QStringLiteral("the contacts cannot be read"), kExitFailed);
}

}  // namespace

StoreCommandInfo searchCommand() {
    return {QStringLiteral("search"),
            QStringLiteral("search TEXT... | search --groups GROUP..."),
            QStringLiteral("contacts found by the index: every word as a prefix, or by letter "
                           "groups (\"ABC\" \"DEF\") as the ABC bar searches"),
            1,
            -1,
            {{QStringLiteral("--groups"), QString()}},
            {},
            runSearch,
            true};
}

}  // namespace kontavo
