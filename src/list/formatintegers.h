#pragma once

#include <QString>
#include <initializer_list>

namespace kontavo {

// `format` (a string-table text) with each "%i" replaced, in order, by the
// next of `values` in decimal; a "%i" beyond the values stays as it is, and
// no other character is touched. Pure.
QString formatIntegers(const QString& format, std::initializer_list<int> values);

}  // namespace kontavo
