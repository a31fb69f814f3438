#pragma once

#include <QStringView>

namespace kontavo {

// The integer at the start of a text, as C's atoi reads it: leading blanks
// and tabs, an optional sign, then decimal digits up to the first other
// character. A text without digits gives 0; values beyond the int range are
// clamped to it.
int leadingNumber(QStringView text);

}  // namespace kontavo
