#include "list/listfonts.h"

namespace kontavo {

QFont tahomaFont(int pixels, bool bold) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(qMax(1, pixels));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QFont standardFont(const Screen& screen, bool bold) {
    return tahomaFont(screen.pointsToPixels(8), bold);
}

}  // namespace kontavo
