#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "indexbenchdevice.h"

namespace kontavo::bench {

// One lookup: the text given to our index and the prefixes the baseline
// matches (the same words).
struct Query {
    QString text;
    QStringList prefixes;
};

// The queries of the benchmark, made from the words of sampled contacts so
// that most of them find something: prefixes of 1 to 4 characters of plain
// words, two-word queries, and group keys of 1 to 3 group codes. Only words
// of letters and digits are used, which both sides split alike.
class QueryBank {
public:
    static constexpr int kPerSet = 300;

    explicit QueryBank(const QList<ContactWordsSample>& samples);

    const QList<Query>& prefixes(int length) const { return m_prefixes[length - 1]; }
    const QList<Query>& twoWords() const { return m_twoWords; }
    const QList<Query>& groupKeys(int length) const { return m_groupKeys[length - 1]; }

private:
    QList<Query> m_prefixes[4];
    QList<Query> m_twoWords;
    QList<Query> m_groupKeys[3];
};

}  // namespace kontavo::bench
