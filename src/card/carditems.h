#pragma once

#include <QList>

#include "card/richitem.h"
#include "platform/screen.h"

namespace kontavo {

class RichFontCache;
struct ContactCard;

// The frame a contact's picture is shown in: 72 pixels square at 96 dpi.
inline constexpr int kPictureFrame = 72;
// String 40238: the caption of the note section.
inline constexpr int kNoteCaptionString = 40238;

// The items a rich list shows for a card: the header (the picture, scaled
// down to fit the picture frame keeping its proportions, or the stock
// person or company icon), one text item per line (its owner value is the
// line's index, its icon the line's), and a separator captioned "Note"
// holding the note when there is one (a formatted note as its document, drawn
// read-only for the screen). Texts are parsed with `cache`. An
// empty card gives no items.
QList<RichItem> cardItems(const ContactCard& card, RichFontCache& cache, const Screen& screen);

}  // namespace kontavo
