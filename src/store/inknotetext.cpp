#include "store/inknotetext.h"

namespace kontavo::ink {

InkNoteText::InkNoteText(QByteArrayView doc) : m_paragraphs(readParagraphs(doc, walkRecords(doc))) {
    for (int i = 0; i < m_paragraphs.size(); ++i) {
        const QString& text = m_paragraphs[i].decoded.text;
        if (text.isEmpty()) {
            continue;
        }
        if (!m_text.isEmpty()) {
            m_text += QLatin1Char(' ');
        }
        m_pieces.append({i, m_text.size(), text.size()});
        m_text += text;
    }
}

InkCut InkNoteText::cutFor(qsizetype start, qsizetype end) const {
    InkCut cut;
    // The run starts in the first piece that reaches past `start` and ends in
    // the last piece that begins before `end`; a position on a joining blank
    // falls to the neighbouring piece.
    for (const Piece& piece : m_pieces) {
        if (piece.start + piece.length > start) {
            cut.first = piece.paragraph;
            cut.firstChar = qMax<qsizetype>(0, start - piece.start);
            break;
        }
    }
    for (const Piece& piece : m_pieces) {
        if (piece.start < end) {
            cut.last = piece.paragraph;
            cut.endChar = qMin(piece.length, end - piece.start);
        }
    }
    return cut;
}

}  // namespace kontavo::ink
