#pragma once

#include <QList>
#include <QString>

#include "card/templatelabels.h"

namespace kontavo {

// The groups of the contact template, in card and form order. The card and
// the form use kGroupNotes for the notes, which the template does not hold.
enum TemplateGroupType : int {
    kGroupName = 0,
    kGroupPhone = 1,
    kGroupEMail = 2,
    kGroupMsg = 3,
    kGroupWeb = 4,
    kGroupOffice = 5,
    kGroupAddr = 6,
    kGroupCategory = 7,
    kGroupPeople = 8,
    kGroupDate = 9,
    kGroupLink = 10,
    kGroupOther = 11,
    kGroupNotes = 12,
    kTemplateGroupCount = 12
};

// One group of the template: its labels, the rows the card and form show
// (one label index per row, in row order; an index may repeat), whether the
// group is shown, and the hint word drawn in an empty value. Office and
// Category have a single row and no selection of their own. Only the Msg
// group uses the messenger-type lists (parallel to the rows) and only the
// Addr group the address-format indexes (parallel to the rows, indexes into
// the address-format table, not range-checked).
struct TemplateGroup {
    TemplateLabels labels;
    QList<int> selection;
    bool shown = true;
    QString hint;

    TemplateLabels messengerTypes;
    QList<int> messengerSelection;

    QList<int> addrFormat;

    // Drops custom labels and every row; the group is shown again.
    void reset();
    // Appends a row with the label of this text (appended as a custom label
    // when it is new).
    void addRow(const QString& label) { selection.append(labels.findOrAppend(label)); }
};

}  // namespace kontavo
