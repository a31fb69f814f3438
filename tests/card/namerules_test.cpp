// The name block's rules: the combined name, its split, File As and the
// company list.
#include "card/namerules.h"

#include <gtest/gtest.h>

namespace kontavo {
namespace {

NameLines10 lines(const QString& title, const QString& first, const QString& middle,
                  const QString& last, const QString& suffix, const QString& company) {
    NameLines10 l;
    l[kLineTitle] = title;
    l[kLineFirst] = first;
    l[kLineMiddle] = middle;
    l[kLineLast] = last;
    l[kLineSuffix] = suffix;
    l[kLineCompany] = company;
    return l;
}

TEST(NameRulesTest, FileAsSuggestionsInOrderWithoutRepeats) {
    EXPECT_EQ(fileAsSuggestions(lines("", "John", "", "Smith", "", "Acme")),
              QStringList({"Smith, John", "John Smith", "Acme", "Smith, John (Acme)",
                           "Acme (Smith, John)"}));
    EXPECT_EQ(fileAsSuggestions(lines("Dr.", " John ", "Paul", "Smith", "Jr.", "")),
              QStringList({"Smith, John", "Smith, John Paul", "John Paul Smith Jr."}));
    EXPECT_EQ(fileAsSuggestions(lines("", "", "", "Smith", "", "")), QStringList({"Smith"}));
    EXPECT_EQ(fileAsSuggestions(lines("", "John", "Paul", "", "", "")), QStringList({"John Paul"}));
    EXPECT_EQ(fileAsSuggestions(lines("", "", "", "", "", "Acme")), QStringList({"Acme"}));
    EXPECT_EQ(fileAsSuggestions(lines("Dr.", "", "", "", "", "")), QStringList({"Dr."}))
        << "the title only when nothing else is there";
    EXPECT_TRUE(fileAsSuggestions(lines("", "", "", "", "", "")).isEmpty());
}

TEST(NameRulesTest, CombinedNameSplitsByWordCount) {
    NameLines10 l = lines("Dr.", "a", "b", "c", "Jr.", "Acme");
    splitCombinedName(QStringLiteral("Anna"), l);
    EXPECT_EQ(l[kLineFirst], "Anna");
    EXPECT_TRUE(l[kLineTitle].isEmpty() && l[kLineLast].isEmpty() && l[kLineSuffix].isEmpty());
    EXPECT_EQ(l[kLineCompany], "Acme") << "only lines 1 to 5 take part";
    splitCombinedName(QStringLiteral("  Anna   Lindqvist "), l);
    EXPECT_EQ(combinedName(l), "Anna Lindqvist");
    EXPECT_TRUE(l[kLineMiddle].isEmpty());
    splitCombinedName(QStringLiteral("Anna Maria Lindqvist"), l);
    EXPECT_EQ(l[kLineMiddle], "Maria");
    splitCombinedName(QStringLiteral("Juan  Carlos de la Vega"), l);
    EXPECT_EQ(l[kLineFirst], "Juan");
    EXPECT_EQ(l[kLineMiddle], "Carlos de la");
    EXPECT_EQ(l[kLineLast], "Vega");
    splitCombinedName(QString(), l);
    EXPECT_TRUE(combinedName(l).isEmpty());
}

TEST(NameRulesTest, DefaultFileAsFallsThroughThePartsInOrder) {
    EXPECT_EQ(defaultFileAs("John", "P", "Smith", "Dr.", "Jr.", "Acme"), "Smith, John");
    EXPECT_EQ(defaultFileAs("", "P", "Smith", "", "", ""), "Smith");
    EXPECT_EQ(defaultFileAs("John", "P", "", "", "", "Acme"), "John");
    EXPECT_EQ(defaultFileAs("", "P", "", "Dr.", "", "Acme"), "Acme");
    EXPECT_EQ(defaultFileAs("", "P", "", "Dr.", "", ""), "P");
    EXPECT_EQ(defaultFileAs("", "", "", "Dr.", "Jr.", ""), "Dr.");
    EXPECT_EQ(defaultFileAs("", "", "", "", "Jr.", ""), "Jr.");
    EXPECT_EQ(defaultFileAs("", "", "", "", "", ""), "");
}

TEST(NameRulesTest, CompaniesAreOfferedByWordStarts) {
    const QStringList companies = {"Acme", "Nordlicht Instruments", "Bauer-Acme", "Pacmen",
                                   "ACME Tools"};
    EXPECT_EQ(offeredCompanies(companies, ""), companies);
    EXPECT_EQ(offeredCompanies(companies, "acme"),
              QStringList({"Acme", "Bauer-Acme", "ACME Tools"}));
    EXPECT_EQ(offeredCompanies(companies, "instr"), QStringList({"Nordlicht Instruments"}));
    EXPECT_TRUE(offeredCompanies(companies, "cme").isEmpty())
        << "only the first occurrence counts, and it is inside a word";
    EXPECT_FALSE(companyOffered("Pacmen acme", "acme")) << "the first occurrence decides";
}

}  // namespace
}  // namespace kontavo
