#include "list/bartextmeasurer.h"

#include <QFontMetrics>

#include "ui/sharedfonts.h"

namespace kontavo {

int FontBarTextMeasurer::textWidth(int pixels, const QString& text) const {
    return QFontMetrics(tahomaFont(pixels)).horizontalAdvance(text);
}

int FontBarTextMeasurer::lineHeight(int pixels) const {
    return QFontMetrics(tahomaFont(pixels)).height();
}

}  // namespace kontavo
