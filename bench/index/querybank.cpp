#include "querybank.h"

#include <algorithm>
#include <optional>

namespace kontavo::bench {

namespace {

bool lettersAndDigits(const QString& word) {
    return std::all_of(word.begin(), word.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

// The usable words of a sample, at least `length` characters long.
QStringList usable(const QStringList& words, int length) {
    QStringList kept;
    for (const QString& word : words) {
        if (word.size() >= length && lettersAndDigits(word)) {
            kept.append(word);
        }
    }
    return kept;
}

// Picks the `pick`-th word (wrapping) of each sample in turn until `set` is full.
template <typename Make>
void fill(QList<Query>& set, const QList<ContactWordsSample>& samples, Make make) {
    for (int round = 0; round < 8 && set.size() < QueryBank::kPerSet; ++round) {
        for (int i = 0; i < samples.size() && set.size() < QueryBank::kPerSet; ++i) {
            if (auto query = make(samples[i], i + round * 5)) {
                set.append(*query);
            }
        }
    }
}

}  // namespace

QueryBank::QueryBank(const QList<ContactWordsSample>& samples) {
    for (int length = 1; length <= 4; ++length) {
        fill(m_prefixes[length - 1], samples,
             [length](const ContactWordsSample& s, int pick) -> std::optional<Query> {
                 const QStringList words = usable(s.plain, length);
                 if (words.isEmpty()) {
                     return std::nullopt;
                 }
                 const QString prefix = words[pick % words.size()].left(length);
                 return Query{prefix, {prefix}};
             });
    }
    fill(m_twoWords, samples, [](const ContactWordsSample& s, int pick) -> std::optional<Query> {
        const QStringList words = usable(s.plain, 2);
        if (words.size() < 2) {
            return std::nullopt;
        }
        const QString first = words[pick % words.size()].left(3);
        const QString second = words[(pick + 1) % words.size()].left(3);
        return Query{first + QLatin1Char(' ') + second, {first, second}};
    });
    for (int length = 1; length <= 3; ++length) {
        fill(m_groupKeys[length - 1], samples,
             [length](const ContactWordsSample& s, int pick) -> std::optional<Query> {
                 const QStringList words = usable(s.grouped, length);
                 if (words.isEmpty()) {
                     return std::nullopt;
                 }
                 const QString key = words[pick % words.size()].left(length);
                 return Query{key, {key}};
             });
    }
}

}  // namespace kontavo::bench
