#include "store/blockescape.h"

namespace kontavo {

bool isBlockSpecial(QChar c) {
    switch (c.unicode()) {
        case u'[':
        case u']':
        case u';':
        case u':':
        case u'\\':
            return true;
        default:
            return false;
    }
}

QString escapeBlockText(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (isBlockSpecial(c)) {
            out += QLatin1Char('\\');
        }
        out += c;
    }
    return out;
}

QString unescapeBlockText(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\\') && i + 1 < text.size() && isBlockSpecial(text[i + 1])) {
            ++i;
        }
        out += text[i];
    }
    return out;
}

QString prepareBlockText(QStringView text) {
    QString reduced;
    reduced.reserve(text.size());
    for (QChar c : text) {
        const char16_t unit = c.unicode() & 0x3FFF;
        if (unit != 0) {
            reduced += QChar(unit);
        }
    }
    return escapeBlockText(reduced);
}

}  // namespace kontavo
