#pragma once

#include <QList>
#include <QString>

#include <optional>

#include "card/richmarkup.h"
#include "store/notes/notedocument.h"
#include "store/record/picturebitmap.h"

namespace kontavo {

// One line of the card (`CardLine`): the value's label, its display text
// (markup around the value, which is literal), an extra text (a linked
// file's full path), the template group it comes from, which also says what
// a tap on it does (1 call, 2 e-mail, 4 web page, 10 open the file; others
// nothing), and the icon shown at its right (0: none).
struct CardLine {
    QString label;
    RichMarkup text;
    QString extra;
    int type = 0;
    int icon = 0;

    bool operator==(const CardLine&) const = default;
};

// What the card shows of a contact: the header text and picture (the
// contact's own, else the person icon, or the company icon for a contact
// with a company and no name), the lines, and the note: its text, and for a
// formatted note (a Pocket Word Ink document with text or ink) the document,
// which is shown instead of the text (neither: no note section).
struct ContactCard {
    RichMarkup header;
    Picture picture;
    bool companyIcon = false;
    QList<CardLine> lines;
    QString note;
    std::optional<NoteDocument> noteDocument;

    bool isEmpty() const {
        return header.isEmpty() && lines.isEmpty() && note.isEmpty() && !noteDocument;
    }
};

// The icons of lines that act when tapped (resources ICON16 / ICON32).
namespace cardicon {
inline constexpr int kPhone = 42220;
inline constexpr int kEmail = 42221;
inline constexpr int kWeb = 42222;
inline constexpr int kFile = 42223;
}  // namespace cardicon

}  // namespace kontavo
