#pragma once

#include <QString>
#include <functional>

class QFontMetrics;

namespace kontavo {

// The pixel width of a text in some font.
using TextWidth = std::function<int(const QString& text)>;

// `text` as it fits `width`: unchanged when it fits; otherwise cut before
// the first character that does not fit in `width` less the width of
// "...", stepping back over the characters " .,;:~@#$%^&*_-=+" before the
// cut (unless that leaves nothing), with "..." appended; "..." alone when
// not even the first character fits.
QString shortenText(const QString& text, int width, const TextWidth& measure);
QString shortenText(const QString& text, int width, const QFontMetrics& metrics);

}  // namespace kontavo
