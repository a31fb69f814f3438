#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

#include "store/inkdocumentedit.h"
#include "store/pocketwordink.h"

namespace kontavo::ink {

// The text of a Pocket Word Ink note: the decoded text of every "A" record in
// record order, non-empty paragraphs joined by one blank. Remembers where
// each paragraph's text lies so that a run of the text can be turned back
// into the paragraphs that hold it.
class InkNoteText {
public:
    explicit InkNoteText(QByteArrayView doc);

    const QString& text() const { return m_text; }
    const QList<Paragraph>& paragraphs() const { return m_paragraphs; }

    // The cut that removes text[start, end) (end > start) from the document.
    InkCut cutFor(qsizetype start, qsizetype end) const;

private:
    struct Piece {
        int paragraph;
        qsizetype start;
        qsizetype length;
    };

    QList<Paragraph> m_paragraphs;
    QList<Piece> m_pieces;
    QString m_text;
};

}  // namespace kontavo::ink
