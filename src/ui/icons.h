#pragma once

#include <QIcon>
#include <QPixmap>

namespace kontavo {

// Icon resources come in two sets, "ICON16" (16 pixels) and "ICON32"
// (32 pixels); a high-resolution screen uses the 32-pixel set.
namespace icon {
inline constexpr int kApplication = 100;
inline constexpr int kKeyboard = 42200;  // the SIP button of the menu bar
}  // namespace icon

class Screen;

// The icon `id` of the set the current screen uses; null when missing.
QPixmap loadIconPixmap(int id);
// The icon `id` of the set `screen` uses; null when missing.
QPixmap loadIconPixmap(int id, const Screen& screen);
// The icon `id` with both sizes; null when neither exists.
QIcon loadIcon(int id);
// As loadIconPixmap, but a missing icon raises the resource-loading fatal
// code with the id (for the icons the program cannot run without).
QPixmap loadIconPixmapStrict(int id);

}  // namespace kontavo
