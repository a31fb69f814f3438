#pragma once

#include <QByteArray>
#include <QList>

#include "store/extendedproperties.h"

namespace kontavo {

// The extended property block as Pocket Word Ink paragraphs (coded text of
// one "A" record each): the start marker, the sections Phone, Email,
// Messenger, WebPage, Address, People, Date, Link, OtherProp and Image (each
// only when it has something), the end marker. Every string inside a section
// goes through prepareBlockText(); the markers are written as they are.
QList<QByteArray> blockParagraphs(const ExtendedProperties& props);

}  // namespace kontavo
