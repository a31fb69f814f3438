#pragma once

#include <QByteArray>
#include <QStringList>
#include <functional>

#include "card/contactcard.h"
#include "comm/phonetemplateset.h"

namespace kontavo {

class AddressFormatTable;
class ContactTemplate;
class Locale;
struct ContactRecord;

// What the card's lines need besides the contact and the template.
struct CardContext {
    const AddressFormatTable* addressFormats = nullptr;  // required
    const Locale* locale = nullptr;   // required: the short date format, the note's code page
    PhoneTemplateSet phoneTemplates;  // phone numbers as shown
    // The names of the categories of a mask, in the order shown; may be empty
    // (no category line).
    std::function<QStringList(const QByteArray& mask)> categoryNames;
};

// Builds the card of a contact (`ContactCardView::Build`).
//
// Header: the non-empty Title, First, Middle, Last and Suffix joined by
// blanks are the name, in bold; then " " and the job title; then a line
// break and the company (bold when there is no name); then " " and the
// department. A piece only when it is not empty, a separator only after
// text.
//
// Lines, for template types 1 to 12 in order: of each group, for each row
// of the template in order, the contact's values with that row's label (in
// stored order), then the values whose label no row names; every value is
// listed whatever the template shows, and each once. Phones as the phone
// templates show them, e-mail addresses dark blue italic, web pages italic,
// messenger accounts with their type in bold, dates in the short date
// format (no date, no line), the office under the Office label, addresses
// on one line in their country format, the category names joined by ", "
// under the Categories label, linked files by file name (after the last
// backslash) with the path as extra text. Empty values give no line. The
// note is the text of the contact's user note (a Pocket Word Ink note's
// paragraphs; none when it holds only blanks) and, for a Pocket Word Ink
// note with text or ink, its document. The contact's own text is always
// literal.
class ContactCardBuilder {
public:
    explicit ContactCardBuilder(const CardContext& context) : m_context(context) {}

    ContactCard build(const ContactRecord& contact, const ContactTemplate& contactTemplate) const;

    // The header markup of a contact.
    static RichMarkup header(const ContactRecord& contact);

private:
    const CardContext& m_context;
};

}  // namespace kontavo
