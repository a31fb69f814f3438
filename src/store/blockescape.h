#pragma once

#include <QString>
#include <QStringView>

namespace kontavo {

// The characters that carry meaning inside the extended property block:
// "[", "]", ";", ":" and the backslash.
bool isBlockSpecial(QChar c);

// A backslash before every special character.
QString escapeBlockText(QStringView text);
// Removes each backslash that stands directly before a special character (the
// pair stands for that character); every other backslash stays.
QString unescapeBlockText(QStringView text);

// A string as the block writer stores it: each character at or above 0x4000
// keeps its low 14 bits (the note coding holds no more), NUL characters
// (which end the block when read) are left out, and the rest is escaped.
// Reducing before escaping keeps a reduced character that lands on a special
// character from breaking the block.
QString prepareBlockText(QStringView text);

}  // namespace kontavo
