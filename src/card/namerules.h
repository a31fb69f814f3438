#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace kontavo {

// The rules of the name block of the edit form, apart from drawing.

// The ten lines of the name block: 0 the combined name, then the name parts.
enum NameLine : int {
    kLineName,
    kLineTitle,
    kLineFirst,
    kLineMiddle,
    kLineLast,
    kLineSuffix,
    kLineJobTitle,
    kLineCompany,
    kLineDepartment,
    kLineFileAs,
    kNameLineCount
};
using NameLines10 = std::array<QString, kNameLineCount>;

// The combined name: the non-empty Title, First, Middle, Last and Suffix
// joined by single blanks.
QString combinedName(const NameLines10& lines);

// Splits a typed combined name at blanks (runs count as one) into First,
// Middle and Last: one word is First; two First and Last; three First,
// Middle and Last; more: First, the middle words joined by single blanks,
// and the last word. Title and Suffix are cleared.
void splitCombinedName(const QString& text, NameLines10& lines);

// The File As suggestions in order, without repeats, all parts trimmed:
// "Last, First" (Last alone without First; nothing without Last); with FM =
// "First Middle": FM without Last, Last without FM, else "Last, FM"; "FM Last
// Suffix"; Company; when the second and Company are both set, "second
// (Company)" and "Company (second)"; Title only when nothing came before.
QStringList fileAsSuggestions(const NameLines10& lines);

// The text File As changes by: Title, First, Middle, Last, Suffix and Company
// run together.
QString fileAsSource(const NameLines10& lines);

// The File As a contact saved without one gets: "Last, First" (Last alone
// without First), else First, else Company, Middle, Title, Suffix.
QString defaultFileAs(const QString& first, const QString& middle, const QString& last,
                      const QString& title, const QString& suffix, const QString& company);

// Whether the company list offers `company` while `typed` is in the box:
// always for an empty text, else when the first occurrence of the typed
// text (both upper-cased) starts the name or follows a character that is
// not a letter.
bool companyOffered(const QString& company, const QString& typed);
// The companies offered for `typed`, in the given order.
QStringList offeredCompanies(const QStringList& companies, const QString& typed);

}  // namespace kontavo
