// verify-index: checks the index files against the contacts database as
// they are (nothing is rebuilt); exits with 1 on any difference.
#include "indexverifier.h"
#include "storecommand.h"
#include "storeoutput.h"
#include "toolindex.h"

namespace kontavo {

namespace {

// About this many contacts have their words checked, unless --all.
constexpr int kSampledContacts = 500;

int runVerifyIndex(StoreContext& context, const CommandArgs& args) {
    ToolIndex tool(context);
    const std::optional<DbInfo> info = tool.databaseInfo();
    if (!info) {
        return fail(QStringLiteral("the contacts database cannot be read"), kExitFailed);
    }
    PimIndex& index = tool.index();
    QStringList differences;
    switch (index.open(*info)) {
        case ContactIndex::OpenResult::Rebuild:
            printOut(QStringLiteral("the index files are missing or unusable: %1\n")
                         .arg(index.lastDiagnostic()));
            return kExitFailed;
        case ContactIndex::OpenResult::Stale:
            differences.append(
                QStringLiteral("the index is stale: %1").arg(index.lastDiagnostic()));
            break;
        case ContactIndex::OpenResult::Current:
            break;
    }
    QString problem;
    if (!index.checkStores(&problem)) {
        differences.append(QStringLiteral("the index files are inconsistent: %1").arg(problem));
    }
    const int every = args.has(QStringLiteral("--all"))
                          ? 1
                          : std::max<int>(1, int(info->recordCount) / kSampledContacts);
    IndexVerifier verifier(index, tool.reader());
    differences += verifier.run(every);
    if (!differences.isEmpty()) {
        printOut(differences.join(QLatin1Char('\n')) +
                 QStringLiteral("\n%1 differences\n").arg(differences.size()));
        return kExitFailed;
    }
    printOut(QStringLiteral("index verified: %1 contacts, %2 words checked\n")
                 .arg(verifier.contactsChecked())
                 .arg(verifier.wordsChecked()));
    return kExitOk;
}

}  // namespace

StoreCommandInfo verifyIndexCommand() {
    return {QStringLiteral("verify-index"),
            QStringLiteral("verify-index [--all]"),
            QStringLiteral("check the index files against the database (the words of a sample "
                           "of contacts, or of all); exit 1 on any difference"),
            0,
            0,
            {{QStringLiteral("--all"), QString()}},
            {},
            runVerifyIndex};
}

}  // namespace kontavo
