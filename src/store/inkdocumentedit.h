#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <optional>

namespace kontavo::ink {

// Appends paragraphs (each the coded text of one "A" record, end mark
// included) after the document's existing paragraphs. With m the highest
// record id of the document, the k-th new paragraph gets "A" id m + 2k and
// its "B" record id m + 2k + 1; the pairs go in just before the first
// closing (0x82) record, or at the end when there is none. The "@" table
// gains one entry per paragraph and its counts grow to match. Every other
// byte is copied unchanged.
//
// nullopt when the document cannot be walked (no signature, a record past
// the end, no readable "@" table) or the result does not fit the format
// (ids past 0xFFFF, a paragraph or table too large for its size field).
std::optional<QByteArray> appendInkParagraphs(QByteArrayView doc,
                                              const QList<QByteArray>& codedParagraphs);

// A run of text to cut out of a document: from character `firstChar` of
// paragraph `first` up to character `endChar` (exclusive) of paragraph
// `last`; paragraphs index readParagraphs() of the document.
struct InkCut {
    int first = 0;
    qsizetype firstChar = 0;
    int last = 0;
    qsizetype endChar = 0;
};

// Removes the paragraphs the cut covers with their "B" records and the "C"
// records of embedded objects only they reference, and rewrites the "@"
// table to match. Text outside the cut in its first or last paragraph that
// is not white space only is kept in a shortened paragraph; the last one
// keeps the character formatting that led up to the cut. When the cut
// removes the document's first paragraph, an empty paragraph takes its
// place (ids as for appending). nullopt when the document cannot be walked
// or rewritten.
std::optional<QByteArray> cutInkText(QByteArrayView doc, const InkCut& cut);

}  // namespace kontavo::ink
