#pragma once

#include <QStringView>

#include "card/richtext.h"

namespace kontavo {

class RichFontCache;

// Turns marked-up text into a RichText (the `Parse` operation).
//
// Markup: an opening tag is "<", a tag letter and ">"; a closing tag "</",
// the letter and ">". Letters are read in either case. B bold, I italic,
// U underline, S strike-out; "<#RRGGBB>" sets the text colour (six hex
// digits), "</#>" returns to black; "<Pnn>" sets the size to nn points (two
// decimal digits), "</P>" returns to the base size; "<L>" is a separator: a
// line feed that draws a horizontal rule (it has no closing tag). A tag
// counts only when it is complete where it starts (">" as its 3rd, 4th
// (closing), 5th (size) or 9th (colour) character, with the digits a size
// or colour needs); anything else that starts with "<" is drawn as it
// stands. Tags do not nest: an opening tag sets its style, a closing tag
// clears it, whatever came between.
//
// The markup has no escape: text that must be drawn as it stands (a
// contact's own values) goes in with addText(), which never reads tags, in
// the style the markup before it set. Fonts are taken from `cache` as
// styles appear. UI thread only.
class RichTextParser {
public:
    explicit RichTextParser(RichFontCache& cache) : m_cache(cache) {}

    // The program's own markup.
    void addMarkup(QStringView markup);
    // Text drawn as it stands, in the current style and colour.
    void addText(QStringView text);
    // The text parsed so far; the parser starts afresh.
    RichText take();

    // Parses one markup text: two passes, the first counts the visible
    // characters. An empty text gives an empty RichText.
    static RichText parse(QStringView markup, RichFontCache& cache);

private:
    void append(char16_t ch, uint16_t style);
    // Applies the tag at `at`; the number of characters it takes (0: none).
    int applyTag(QStringView markup, qsizetype at);

    RichFontCache& m_cache;
    RichText m_text;
    uint16_t m_style = 0;
    QRgb m_colour = qRgb(0, 0, 0);
};

// What a tag at a position of a markup text is: its length (0 when no tag
// starts there) and whether it puts a character (the separator) into the
// text.
struct RichTag {
    int length = 0;
    bool visible = false;
};
RichTag richTagAt(QStringView markup, qsizetype at);

}  // namespace kontavo
