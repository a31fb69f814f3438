#include "ui/popupplacement.h"

#include <algorithm>

namespace kontavo {

namespace {

// The start of a span of `length` that begins at `wanted` but ends no later
// than `end` and begins no earlier than `begin` (which wins).
int keepWithin(int wanted, int length, int begin, int end) {
    return std::max(begin, std::min(wanted, end - length));
}

}  // namespace

QRect placePopup(const QRect& screen, QPoint requested, QSize size) {
    const int x = keepWithin(requested.x(), size.width(), screen.left(), screen.right() + 1);
    const int y = keepWithin(requested.y(), size.height(), screen.top(), screen.bottom() + 1);
    return {QPoint(x, y), size};
}

QRect placeSubmenu(const QRect& screen, const QRect& parent, const QRect& item, QSize size) {
    int x = parent.right() + 1;
    if (x + size.width() > screen.right() + 1) {
        x = parent.left() - size.width();
        if (x < screen.left()) {
            x = keepWithin(screen.right() + 1 - size.width(), size.width(), screen.left(),
                           screen.right() + 1);
        }
    }
    const int y = keepWithin(item.top(), size.height(), screen.top(), screen.bottom() + 1);
    return {QPoint(x, y), size};
}

QRect centerOnScreen(const QRect& screen, QSize size) {
    const QPoint corner(screen.left() + (screen.width() - size.width()) / 2,
                        screen.top() + (screen.height() - size.height()) / 2);
    return placePopup(screen, corner, size);
}

}  // namespace kontavo
