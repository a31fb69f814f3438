#pragma once

#include <QColor>
#include <QString>

namespace kontavo {

// The sixteen colours of notes, by colour index: "Black", "Silver", "Gray",
// "White", "Red", "Lime", "Blue", "Aqua", "Fuchsia", "Yellow", "Maroon",
// "Green", "Navy", "Teal", "Purple", "Olive".
namespace notecolours {
inline constexpr int kCount = 16;
QString name(int index);
QColor colour(int index);
// The index of `colour` (0, black, when it is none of the sixteen).
int indexOf(const QColor& colour);
}  // namespace notecolours

}  // namespace kontavo
