#pragma once

#include <QByteArray>
#include <QList>

#include "comm/vcardproperty.h"

namespace kontavo {

// Splits the bytes of a vCard file (2.1 or 3.0, any number of cards) into
// cards of decoded properties. Tolerant: line ends may be CR LF, LF or CR;
// folded lines are joined (3.0: the line end and one blank go; 2.1: only the
// line end); quoted-printable values continue over soft line breaks and are
// decoded, then turned into text by their CHARSET (UTF-8 when none is
// given or the name is unknown); a line without a colon or a name, and
// anything outside BEGIN:VCARD ... END:VCARD, is skipped and counted; a
// nested card (a 2.1 AGENT) is skipped whole; a last card without END:VCARD
// still counts. Safe on any bytes. Not thread-affine; no shared state.
class VCardParser {
public:
    QList<VCardCard> parse(const QByteArray& bytes);
    // Lines skipped by the last parse().
    int skippedLines() const { return m_skipped; }

private:
    void takeLine(const QByteArray& line);
    bool parseLine(const QByteArray& line, VCardProperty& property) const;

    QList<VCardCard> m_cards;
    VCardCard m_card;
    bool m_inCard = false;
    int m_nested = 0;
    bool m_version21 = false;
    int m_skipped = 0;
};

}  // namespace kontavo
