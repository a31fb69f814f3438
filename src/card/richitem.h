#pragma once

#include <QPixmap>
#include <QString>
#include <QtGlobal>
#include <memory>

#include "card/richtext.h"

namespace kontavo {

class NoteView;

// The kinds of rich items.
enum class RichItemKind {
    Text = 0,       // a label column and the text; an icon may stand at the right
    Header = 1,     // a picture at the left and the text beside it
    Separator = 2,  // a caption between two rules, the text (a note) or a note document below
};

// One item of a rich list (a line of the card). Its height is set when the
// list measures it for a width. A plain value.
struct RichItem {
    RichItemKind kind = RichItemKind::Text;
    QString label;  // Text: the label; Separator: the caption
    RichText text;
    QString extra;      // the owner's extra text (a linked file's path)
    QPixmap picture;    // Header: the picture; Text: the icon at the right
    QSize pictureSize;  // Header: the box the picture is drawn in
    std::shared_ptr<NoteView> note;  // Separator: a note document, drawn instead of the text
    int type = 0;       // the owner's type value
    qintptr owner = 0;  // the owner's value
    int spacing = 0;    // extra height below the item
    int height = 0;     // set by measuring
};

}  // namespace kontavo
