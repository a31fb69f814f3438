#include "card/richtextparser.h"

#include "card/richfontcache.h"

namespace kontavo {

namespace {

constexpr int kOpenLength = 3;    // <B>
constexpr int kCloseLength = 4;   // </B>
constexpr int kSizeLength = 5;    // <P12>
constexpr int kColourLength = 9;  // <#004080>

char16_t upper(QChar c) {
    const char16_t u = c.unicode();
    return u >= u'a' && u <= u'z' ? char16_t(u - u'a' + u'A') : u;
}

bool isDecimal(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isHex(QChar c) {
    const char16_t u = upper(c);
    return isDecimal(c) || (u >= u'A' && u <= u'F');
}

// The style bit of B, I, U and S; 0 for other letters.
uint16_t styleBit(char16_t letter) {
    switch (letter) {
        case u'B':
            return richstyle::kBold;
        case u'I':
            return richstyle::kItalic;
        case u'U':
            return richstyle::kUnderline;
        case u'S':
            return richstyle::kStrikeOut;
        default:
            return 0;
    }
}

bool hasAt(QStringView text, qsizetype at, QChar c) {
    return at < text.size() && text[at] == c;
}

}  // namespace

RichTag richTagAt(QStringView markup, qsizetype at) {
    if (!hasAt(markup, at, QLatin1Char('<')) || at + 1 >= markup.size()) {
        return {};
    }
    if (markup[at + 1] == QLatin1Char('/')) {
        if (at + 2 >= markup.size() || !hasAt(markup, at + 3, QLatin1Char('>'))) {
            return {};
        }
        const char16_t letter = upper(markup[at + 2]);
        const bool closable = styleBit(letter) != 0 || letter == u'#' || letter == u'P';
        return closable ? RichTag{kCloseLength, false} : RichTag{};
    }
    const char16_t letter = upper(markup[at + 1]);
    if (styleBit(letter) != 0 || letter == u'L') {
        return hasAt(markup, at + 2, QLatin1Char('>')) ? RichTag{kOpenLength, letter == u'L'}
                                                       : RichTag{};
    }
    if (letter == u'P') {
        const bool complete = hasAt(markup, at + 4, QLatin1Char('>')) &&
                              isDecimal(markup[at + 2]) && isDecimal(markup[at + 3]);
        return complete ? RichTag{kSizeLength, false} : RichTag{};
    }
    if (letter == u'#') {
        if (!hasAt(markup, at + 8, QLatin1Char('>'))) {
            return {};
        }
        for (qsizetype i = at + 2; i < at + 8; ++i) {
            if (!isHex(markup[i])) {
                return {};
            }
        }
        return RichTag{kColourLength, false};
    }
    return {};
}

RichText RichTextParser::parse(QStringView markup, RichFontCache& cache) {
    int visible = 0;
    for (qsizetype i = 0; i < markup.size();) {
        const RichTag tag = richTagAt(markup, i);
        visible += tag.length == 0 || tag.visible ? 1 : 0;
        i += tag.length == 0 ? 1 : tag.length;
    }
    RichTextParser parser(cache);
    parser.m_text.reserve(visible);
    parser.addMarkup(markup);
    return parser.take();
}

void RichTextParser::addMarkup(QStringView markup) {
    for (qsizetype i = 0; i < markup.size();) {
        const int taken = applyTag(markup, i);
        if (taken > 0) {
            i += taken;
        } else {
            append(markup[i].unicode(), m_style);
            ++i;
        }
    }
}

void RichTextParser::addText(QStringView text) {
    for (const QChar c : text) {
        append(c.unicode(), m_style);
    }
}

RichText RichTextParser::take() {
    RichText text = std::move(m_text);
    m_text = RichText();
    m_style = 0;
    m_colour = qRgb(0, 0, 0);
    return text;
}

void RichTextParser::append(char16_t ch, uint16_t style) {
    m_text.append(RichChar{ch, style, m_cache.fontIndex(style), m_colour});
}

int RichTextParser::applyTag(QStringView markup, qsizetype at) {
    const RichTag tag = richTagAt(markup, at);
    if (tag.length == 0) {
        return 0;
    }
    const bool closing = markup[at + 1] == QLatin1Char('/');
    const char16_t letter = upper(markup[at + (closing ? 2 : 1)]);
    if (letter == u'L') {
        append(u'\n', m_style | richstyle::kRule);
    } else if (letter == u'#') {
        m_colour =
            closing ? qRgb(0, 0, 0) : (0xFF000000u | markup.mid(at + 2, 6).toUInt(nullptr, 16));
    } else if (letter == u'P') {
        const int points = closing ? 0 : markup.mid(at + 2, 2).toInt();
        m_style = uint16_t((m_style & ~richstyle::kSizeMask) | (points << richstyle::kSizeShift));
    } else if (closing) {
        m_style &= uint16_t(~styleBit(letter));
    } else {
        m_style |= styleBit(letter);
    }
    return tag.length;
}

}  // namespace kontavo
