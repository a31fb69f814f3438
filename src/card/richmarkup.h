#pragma once

#include <QList>
#include <QString>

#include "card/richtext.h"

namespace kontavo {

class RichFontCache;

// A display text built of the program's own markup and literal text, kept
// apart so that literal text (a contact's values) is always drawn as it
// stands: a contact named "<B>Bob" shows "<B>Bob", not a bold "Bob". The
// markup language has no escape of its own; this is how its users keep
// foreign text out of it. A plain value.
class RichMarkup {
public:
    RichMarkup() = default;

    // Appends the program's own markup (tags and text, read as markup).
    RichMarkup& tags(const QString& markup);
    // Appends text that is drawn as it stands.
    RichMarkup& text(const QString& literal);
    // Literal text in the given markup: tags(open), text(literal), tags(close).
    RichMarkup& wrapped(const QString& open, const QString& literal, const QString& close);

    bool isEmpty() const { return m_pieces.isEmpty(); }
    // The markup and the literal text joined as written (a literal "<B>"
    // reads here like a tag; parse() tells them apart).
    QString toString() const;
    // What the text draws: the literal text and the markup's visible
    // characters (a separator is a line feed).
    QString plainText() const;
    // The RichText: markup pieces parsed, literal pieces taken as they stand,
    // each in the style the markup before it set.
    RichText parse(RichFontCache& cache) const;

    bool operator==(const RichMarkup&) const = default;

private:
    struct Piece {
        QString text;
        bool literal = false;
        bool operator==(const Piece&) const = default;
    };
    RichMarkup& add(const QString& text, bool literal);

    QList<Piece> m_pieces;
};

}  // namespace kontavo
