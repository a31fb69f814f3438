#pragma once

#include <QStringView>

namespace kontavo {

// The lines that open and close the extended property block in a note.
inline constexpr QStringView kBlockStartMarker = u"== start pim information ==";
inline constexpr QStringView kBlockEndMarker = u"== end pim information ==";

}  // namespace kontavo
