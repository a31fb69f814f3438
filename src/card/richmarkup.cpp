#include "card/richmarkup.h"

#include "card/richtextparser.h"

namespace kontavo {

RichMarkup& RichMarkup::tags(const QString& markup) {
    return add(markup, false);
}

RichMarkup& RichMarkup::text(const QString& literal) {
    return add(literal, true);
}

RichMarkup& RichMarkup::wrapped(const QString& open, const QString& literal, const QString& close) {
    return tags(open).text(literal).tags(close);
}

RichMarkup& RichMarkup::add(const QString& text, bool literal) {
    if (text.isEmpty()) {
        return *this;
    }
    if (!m_pieces.isEmpty() && m_pieces.back().literal == literal) {
        m_pieces.back().text += text;
    } else {
        m_pieces.append(Piece{text, literal});
    }
    return *this;
}

QString RichMarkup::toString() const {
    QString joined;
    for (const Piece& piece : m_pieces) {
        joined += piece.text;
    }
    return joined;
}

QString RichMarkup::plainText() const {
    QString plain;
    for (const Piece& piece : m_pieces) {
        if (piece.literal) {
            plain += piece.text;
            continue;
        }
        for (qsizetype i = 0; i < piece.text.size();) {
            const RichTag tag = richTagAt(piece.text, i);
            if (tag.length == 0) {
                plain += piece.text[i++];
            } else {
                plain += tag.visible ? QStringLiteral("\n") : QString();
                i += tag.length;
            }
        }
    }
    return plain;
}

RichText RichMarkup::parse(RichFontCache& cache) const {
    RichTextParser parser(cache);
    for (const Piece& piece : m_pieces) {
        if (piece.literal) {
            parser.addText(piece.text);
        } else {
            parser.addMarkup(piece.text);
        }
    }
    return parser.take();
}

}  // namespace kontavo
