#pragma once

#include <QStringView>
#include <optional>

#include "store/extendedproperties.h"

namespace kontavo {

// Parses the content of an extended property block (the text between the
// start and end markers) into extended properties.
//
// The content is a sequence of sections, each a keyword followed by ":" and
// bracketed entries. Keywords are matched case-insensitively: phone, email,
// messenger, webpage, address, people, date, link, otherprop, image. A
// malformed entry is skipped up to its closing bracket; an unknown section,
// text outside brackets that is not a section header, or an entry without a
// closing bracket makes the whole parse fail (nullopt). Entries whose value
// is empty are dropped. The checksum of the result is 0.
std::optional<ExtendedProperties> parseBlockContent(QStringView content);

}  // namespace kontavo
