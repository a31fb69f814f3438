#pragma once

#include <QString>
#include <QStringList>

#include "card/formentry.h"
#include "platform/locale.h"

namespace kontavo {

class AddressFormatTable;

// What the user does to the rows of a block (list, messenger, date, address
// and link blocks): the row buttons, adding and deleting rows, the label
// menu, custom labels and editing values with the hint word. Plain rules
// over a FormEntry; the form draws and routes input to them.
namespace formrules {

// Texts of the label menu and the name dialog (string table).
inline constexpr int kAddCustomLabelString = 42400;     // "Add custom label"
inline constexpr int kRenameLabelString = 42401;        // "Rename label :"
inline constexpr int kAddCustomTypeString = 42402;      // "Add custom label:"
inline constexpr int kCustomItemString = 42403;         // "Custom..."
inline constexpr int kAddressFormatItemString = 42404;  // "Address format..."

// The longest label the name dialog takes.
inline constexpr int kMaxLabelLength = 256;

// Whether the row holds a value: a text, a date, or an address part.
bool rowHasValue(const FormEntry& entry, int row);
// The delete button: when the block has more than one row, or always in
// template mode.
bool hasDeleteButton(const FormEntry& entry, int row, bool templateMode);
// The add button: on the last row only, and outside template mode only when
// that row has a value.
bool hasAddButton(const FormEntry& entry, int row, bool templateMode);

// The first label (in label order) no row uses; the last row's label when
// every label is used (0 for a block without rows).
int firstUnusedLabel(const FormEntry& entry);
// Appends a row with firstUnusedLabel(); an address row takes the block's
// last chosen format (`table`'s default until one was chosen), a messenger
// row the last row's type. Returns the new row's index.
int addRow(FormEntry& entry, const AddressFormatTable& table);
// Removes row `row` (a row index outside the block changes nothing).
void deleteRow(FormEntry& entry, int row);

// One item of a label menu.
struct MenuEntry {
    enum class Kind { Label, Separator, Custom, AddressFormat };
    Kind kind = Kind::Label;
    QString text;
    int index = -1;  // the label (or type) index of a Label item
    bool checked = false;

    bool operator==(const MenuEntry&) const = default;
};
// The label menu of row `row`: the labels in order with a separator before
// the first custom label and the row's label checked, a separator and
// "Custom..."; an address block ends with "Address format...".
QList<MenuEntry> labelMenu(const FormEntry& entry, int row);
// The messenger-type menu of row `row`: the types (a separator before the
// first custom one, the row's checked), a separator and "Custom...".
QList<MenuEntry> messengerTypeMenu(const FormEntry& entry, int row);

// The caption of the name dialog opened from "Custom..." of the label menu:
// "Add custom label" for a built-in label, "Rename label :" for a custom one.
QString customLabelCaption(const FormEntry& entry, int row);
// Whether the name dialog accepts `text`: not empty, at most
// kMaxLabelLength characters, and not beginning with "[" (the template file
// would end its section there and lose the label).
bool isAcceptableLabel(const QString& text);
// The row takes the label `text`: an existing label of that text, else a new
// custom label appended (the old one stays). False, changing nothing, for a
// text isAcceptableLabel() refuses.
bool applyCustomLabel(FormEntry& entry, int row, const QString& text);
// As applyCustomLabel() for the row's messenger type.
bool applyCustomMessengerType(FormEntry& entry, int row, const QString& text);

// What editing a value starts with: the value, or the hint word when empty.
QString editText(const FormEntry& entry, int row);
// Stores an edited text value: an empty text or one equal to the hint word
// clears it.
void commitText(FormEntry& entry, int row, const QString& text);
// Stores a typed date (see parseTypedDate): an empty text or the hint word
// clears the date; a text that is not a date is kept as an invalid date,
// which is drawn in the error colour and never saved.
void commitDate(FormEntry& entry, int row, const QString& text, DateOrder order, int currentYear);
// The text a date row shows: the date in `locale`'s short date format, the
// invalid text, or the hint word.
QString dateText(const FormEntry& entry, int row, const Locale& locale);

}  // namespace formrules

}  // namespace kontavo
