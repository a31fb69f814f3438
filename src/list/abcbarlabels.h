#pragma once

#include <QStringList>

namespace kontavo {

// What the ABC bars show of the active letter groups: one label per group,
// and under it an alternate label (empty when the group has none).
// `hasAlternate` is true when any alternate label is not empty; the small
// bar is then taller and both bars draw two text lines.
struct AbcBarLabels {
    QStringList labels;
    QStringList alternateLabels;  // same length as labels
    bool hasAlternate = false;

    int groupCount() const { return int(labels.size()); }
    QString alternate(int group) const { return alternateLabels.value(group); }

    // Labels with alternates given after a "^" ("ABC^абвг"), as the letter
    // group texts write them.
    static AbcBarLabels fromText(const QStringList& labelsWithAlternates);
    // The labels of a parsed letter-group set (LetterGroupSet or any type
    // with labels(), alternateLabels() and hasAlternate()).
    template <typename GroupSet>
    static AbcBarLabels fromSet(const GroupSet& set) {
        return AbcBarLabels{set.labels(), set.alternateLabels(), set.hasAlternate()};
    }

    bool operator==(const AbcBarLabels&) const = default;
};

}  // namespace kontavo
