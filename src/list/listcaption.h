#pragma once

#include "list/contactlisttypes.h"

namespace kontavo {

class ContactRows;

// The position caption for the row at `selected` (no row: the position part
// is 0): "Contact %i of %i" with the contact's place counted across
// companies, or "Company %i of %i" on a company header. The previous arrow
// is enabled above the first place, the next arrow below the last.
PositionCaption positionCaption(const ContactRows& rows, RowPos selected);

}  // namespace kontavo
