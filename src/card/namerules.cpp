#include "card/namerules.h"

#include <QRegularExpression>

namespace kontavo {

namespace {

QString joinNonEmpty(const QStringList& parts) {
    QStringList kept;
    for (const QString& part : parts) {
        if (!part.isEmpty()) {
            kept.append(part);
        }
    }
    return kept.join(QLatin1Char(' '));
}

void appendOnce(QStringList& list, const QString& text) {
    if (!text.isEmpty() && !list.contains(text)) {
        list.append(text);
    }
}

}  // namespace

QString combinedName(const NameLines10& lines) {
    return joinNonEmpty({lines[kLineTitle], lines[kLineFirst], lines[kLineMiddle], lines[kLineLast],
                         lines[kLineSuffix]});
}

void splitCombinedName(const QString& text, NameLines10& lines) {
    for (int line = kLineTitle; line <= kLineSuffix; ++line) {
        lines[line].clear();
    }
    static const QRegularExpression blanks(QStringLiteral(" +"));
    const QStringList words = text.trimmed().split(blanks, Qt::SkipEmptyParts);
    if (words.isEmpty()) {
        return;
    }
    lines[kLineFirst] = words.first();
    if (words.size() == 2) {
        lines[kLineLast] = words[1];
    } else if (words.size() >= 3) {
        lines[kLineMiddle] = words.mid(1, words.size() - 2).join(QLatin1Char(' '));
        lines[kLineLast] = words.last();
    }
}

QStringList fileAsSuggestions(const NameLines10& lines) {
    const QString title = lines[kLineTitle].trimmed();
    const QString first = lines[kLineFirst].trimmed();
    const QString middle = lines[kLineMiddle].trimmed();
    const QString last = lines[kLineLast].trimmed();
    const QString suffix = lines[kLineSuffix].trimmed();
    const QString company = lines[kLineCompany].trimmed();

    QStringList list;
    if (!last.isEmpty()) {
        appendOnce(list, first.isEmpty() ? last : last + QStringLiteral(", ") + first);
    }
    const QString fm = (first + QLatin1Char(' ') + middle).trimmed();
    QString second;
    if (last.isEmpty()) {
        second = fm;
    } else if (fm.isEmpty()) {
        second = last;
    } else {
        second = last + QStringLiteral(", ") + fm;
    }
    appendOnce(list, second);
    appendOnce(list, joinNonEmpty({fm, last, suffix}));
    appendOnce(list, company);
    if (!second.isEmpty() && !company.isEmpty()) {
        appendOnce(list, second + QStringLiteral(" (") + company + QLatin1Char(')'));
        appendOnce(list, company + QStringLiteral(" (") + second + QLatin1Char(')'));
    }
    if (list.isEmpty()) {
        appendOnce(list, title);
    }
    return list;
}

QString fileAsSource(const NameLines10& lines) {
    return lines[kLineTitle] + lines[kLineFirst] + lines[kLineMiddle] + lines[kLineLast] +
           lines[kLineSuffix] + lines[kLineCompany];
}

QString defaultFileAs(const QString& first, const QString& middle, const QString& last,
                      const QString& title, const QString& suffix, const QString& company) {
    if (!last.isEmpty()) {
        return first.isEmpty() ? last : last + QStringLiteral(", ") + first;
    }
    for (const QString* part : {&first, &company, &middle, &title, &suffix}) {
        if (!part->isEmpty()) {
            return *part;
        }
    }
    return {};
}

bool companyOffered(const QString& company, const QString& typed) {
    if (typed.isEmpty()) {
        return true;
    }
    const QString upper = company.toUpper();
    const qsizetype at = upper.indexOf(typed.toUpper());
    return at == 0 || (at > 0 && !upper[at - 1].isLetter());
}

QStringList offeredCompanies(const QStringList& companies, const QString& typed) {
    QStringList offered;
    for (const QString& company : companies) {
        if (companyOffered(company, typed)) {
            offered.append(company);
        }
    }
    return offered;
}

}  // namespace kontavo
