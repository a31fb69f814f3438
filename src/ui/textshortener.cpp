#include "ui/textshortener.h"

#include <QFontMetrics>

namespace kontavo {

namespace {

const QString kEllipsis = QStringLiteral("...");

bool isBreakCharacter(QChar c) {
    return QStringView(u" .,;:~@#$%^&*_-=+").contains(c);
}

// How many leading characters of `text` fit in `width`.
qsizetype fittingLength(const QString& text, int width, const TextWidth& measure) {
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (measure(text.left(mid)) <= width) {
            low = mid;
        } else {
            high = mid - 1;
        }
    }
    return low;
}

}  // namespace

QString shortenText(const QString& text, int width, const TextWidth& measure) {
    if (measure(text) <= width) {
        return text;
    }
    const qsizetype misfit = fittingLength(text, width - measure(kEllipsis), measure);
    if (misfit == 0) {
        return kEllipsis;
    }
    qsizetype end = misfit;
    while (end > 0 && isBreakCharacter(text[end - 1])) {
        --end;
    }
    if (end == 0) {
        end = misfit;
    }
    return text.left(end) + kEllipsis;
}

QString shortenText(const QString& text, int width, const QFontMetrics& metrics) {
    return shortenText(text, width,
                       [&metrics](const QString& part) { return metrics.horizontalAdvance(part); });
}

}  // namespace kontavo
