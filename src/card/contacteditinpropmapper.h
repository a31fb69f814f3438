#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <functional>

#include "card/contactcardbuilder.h"
#include "card/formentry.h"

namespace kontavo {

class ContactTemplate;
struct ContactRecord;

// What building the form's blocks needs besides the contact and template:
// the card's context (the address formats, the locale for the note's code
// page and the date formats, the category names; the phone templates are
// not used).
using FormContext = CardContext;

// Builds the blocks of the edit form and of the template editor
// (`ContactEditInPropMapper`).
//
// For a contact, in template type order: the name block (the ten name
// lines, collapsed as the template's `NameColl`, a line hidden when the
// template does not show that name part, the picture); for Phone, EMail,
// Msg, Web, Addr, People, Date, Link and Other the template's rows as empty
// rows (Msg rows with their messenger type, Addr rows with their format),
// into which the contact's labelled values are merged in order: a value
// fills the first row with its label when that row is still empty, else it
// gets a row of its own under its label (appended to the labels when the
// block has no such label), so no value is ever dropped; a block left
// without rows is not made. Office and Category when the contact has a value
// there or the template shows the group; the notes always.
class ContactEditInPropMapper {
public:
    explicit ContactEditInPropMapper(const FormContext& context) : m_context(context) {}

    QList<FormEntry> build(const ContactRecord& contact, const ContactTemplate& tpl) const;
    // The template editor's blocks: the name block, then a block with the
    // template's rows and no values for every group the template shows.
    QList<FormEntry> buildTemplate(const ContactTemplate& tpl) const;
    // The block of group `type` (1..11) with the template's rows and no
    // values (an Office or Category block has its one row).
    FormEntry emptyBlock(const ContactTemplate& tpl, int type) const;
    // The category row's text for a mask: the names joined by ", ".
    QString categoryText(const QByteArray& mask) const;

private:
    FormEntry nameBlock(const ContactRecord& contact, const ContactTemplate& tpl) const;

    const FormContext& m_context;
};

// The kind of block template group `type` is shown in.
BlockKind blockKindOf(int type);

}  // namespace kontavo
