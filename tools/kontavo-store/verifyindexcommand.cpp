// verify-index: checks the index files against the contacts database as
// they are (nothing is rebuilt); exits with 1 on any difference. When
// another running program changes the index during the check, the check is
// made again, so that it always judges one state of the index.
#include "indexverifier.h"
#include "storecommand.h"
#include "storeoutput.h"
#include "toolindex.h"

namespace kontavo {

namespace {

// About this many contacts have their words checked, unless --all.
constexpr int kSampledContacts = 500;

struct Verdict {
    QString unusable;  // why the files cannot be used at all
    QStringList differences;
    int contacts = 0;
    int words = 0;
};

Verdict verify(ToolIndex& tool, bool all) {
    Verdict verdict;
    const std::optional<DbInfo> info = tool.databaseInfo();
    if (!info) {
        verdict.differences.append(QStringLiteral("the contacts database cannot be read"));
        return verdict;
    }
    PimIndex& index = tool.index();
    switch (index.open(*info)) {
        case ContactIndex::OpenResult::Rebuild:
            verdict.unusable = index.lastDiagnostic();
            return verdict;
        case ContactIndex::OpenResult::Stale:
            verdict.differences.append(
                QStringLiteral("the index is stale: %1").arg(index.lastDiagnostic()));
            break;
        case ContactIndex::OpenResult::Current:
            break;
    }
    QString problem;
    if (!index.checkStores(&problem)) {
        verdict.differences.append(
            QStringLiteral("the index files are inconsistent: %1").arg(problem));
    }
    const int every = all ? 1 : std::max<int>(1, int(info->recordCount) / kSampledContacts);
    IndexVerifier verifier(index, tool.reader());
    verdict.differences += verifier.run(every);
    verdict.contacts = verifier.contactsChecked();
    verdict.words = verifier.wordsChecked();
    return verdict;
}

int runVerifyIndex(StoreContext& context, const CommandArgs& args) {
    ToolIndex tool(context);
    Verdict verdict;
    const bool settled =
        tool.readSettled([&] { verdict = verify(tool, args.has(QStringLiteral("--all"))); });
    if (!verdict.unusable.isEmpty()) {
        printOut(
            QStringLiteral("the index files are missing or unusable: %1\n").arg(verdict.unusable));
        return kExitFailed;
    }
    if (!settled) {
        verdict.differences.append(
            QStringLiteral("another program kept changing the index while it was checked"));
    }
    if (!verdict.differences.isEmpty()) {
        printOut(verdict.differences.join(QLatin1Char('\n')) +
                 QStringLiteral("\n%1 differences\n").arg(verdict.differences.size()));
        return kExitFailed;
    }
    printOut(QStringLiteral("index verified: %1 contacts, %2 words checked\n")
                 .arg(verdict.contacts)
                 .arg(verdict.words));
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
            runVerifyIndex,
            true};
}

}  // namespace kontavo
