#pragma once

#include <QStringView>

namespace kontavo {

// Whether a trimmed template fits the middle of a number (its digits with the
// separators typed between them):
// - every literal digit of the template equals the middle's digit of the same
//   rank;
// - the digits of the middle, taken in consecutive disjoint pairs (1st and 2nd,
//   3rd and 4th, ...), give a number gap for every pair that is not adjacent:
//   the text between them without blanks. Each gap, in order, must be found in
//   the template's own disjoint slot pairs, continuing after the pair that
//   matched the previous gap; adjacent slot pairs are skipped, and a pair
//   matches when its text between (without blanks) contains the gap.
// An empty template or middle never fits.
bool separatorsCompatible(QStringView pattern, QStringView middle);

}  // namespace kontavo
