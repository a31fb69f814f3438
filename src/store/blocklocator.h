#pragma once

#include <QByteArray>
#include <QStringView>

#include "store/extendedproperties.h"

namespace kontavo {

class AnsiCodec;

// Where the extended property block sits in a note's text.
//
// A block runs from a start marker to the first end marker after it, or to
// the end of the text when there is none. The first block that parses is the
// one found; a block that does not parse is left as note text and the search
// goes on with the next start marker after its own, so that a damaged block
// neither hides a good one written after it nor gets removed.
struct BlockMatch {
    bool found = false;   // the text holds a start marker
    bool parsed = false;  // a block parsed; start, end and props describe it
    qsizetype start = 0;  // first character of its start marker
    qsizetype end = 0;    // just after its end marker (the text's end when there is none)
    ExtendedProperties props;
};

BlockMatch locateBlock(QStringView text);
// The same on 8-bit text: the markers are found as bytes, the content is
// decoded with `codec`; positions are byte offsets.
BlockMatch locateBlock(const QByteArray& bytes, const AnsiCodec& codec);

}  // namespace kontavo
