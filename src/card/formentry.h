#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

#include "card/addressrow.h"
#include "card/namerules.h"
#include "card/templatelabels.h"
#include "store/record/filetime.h"
#include "store/record/picturebitmap.h"

namespace kontavo {

// The kinds of blocks of the edit form.
enum class BlockKind : int {
    List = 1,       // Phone, EMail, Web, People, Other
    Office = 2,     // one row
    Date = 3,       // Date
    Messenger = 8,  // Msg
    Name = 9,       // the name lines and the picture
    Address = 10,   // Addr
    Notes = 11,     // the contact's note
    Category = 12,  // one row: the contact's categories
    Link = 13,      // Link: file paths
};

// One row of a block. Which members count depends on the block's kind:
// every row has a label index (into its block's labels); list, office,
// messenger and link rows a text; messenger rows a messenger type (index into
// the block's messenger types); date rows a date (0: no date) or, after the
// user typed one that cannot be read, that text; address rows an address.
struct FormRow {
    int label = 0;
    QString text;
    int messengerType = 0;
    FileTime date = 0;
    QString invalidDate;  // a typed date that was rejected; empty when none
    AddressRow address;
    // An address whose contact keeps no format: it shows the default
    // format and is saved without one until the user picks a country.
    bool addressFormatUnset = false;

    bool hasInvalidDate() const { return !invalidDate.isEmpty(); }
};

// The name block's data: the ten lines (0 is the combined name, kept in step
// with lines 1 to 5), whether the block is collapsed, per line whether it is
// hidden, and the picture.
struct NameBlockData {
    NameLines10 lines;
    std::array<bool, kNameLineCount> hidden{};
    bool collapsed = false;
    Picture picture;
    QString pictureName;  // the picture's file name in the contact

    // Whether `line` is shown: not hidden, and line 0 only while collapsed,
    // lines 1 to 5 only while expanded.
    bool isLineShown(int line) const;
    // The lines shown, top to bottom.
    QList<int> shownLines() const;
};

// One block of the edit form (the form entry `ContactEditInPropMapper`
// builds), and what the form changes while the user works in it: its kind
// and template type, its label list (built-in labels first, then custom
// ones; label texts are what rows are saved by), the hint word, the rows,
// and per kind: messenger types, name data, the note, the category mask and
// the names shown for it, and the address format the block's added rows take.
// A plain value.
struct FormEntry {
    BlockKind kind = BlockKind::List;
    int type = 0;
    TemplateLabels labels;
    QString hint;
    TemplateLabels messengerTypes;
    QList<FormRow> rows;
    NameBlockData name;
    QByteArray note;  // the user note as stored (plain or Pocket Word Ink)
    QString noteText;
    QByteArray categoryMask;
    int lastAddressFormat = -1;

    // The label text of row `row`; empty for an index outside the labels.
    QString labelText(int row) const;
    // The messenger type text of row `row`.
    QString messengerTypeText(int row) const;
    // Whether the kind has rows the user adds, deletes and relabels.
    bool hasRowOperations() const;
};

}  // namespace kontavo
