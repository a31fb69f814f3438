#pragma once

#include <QList>
#include <functional>

#include "list/contactlisttypes.h"
#include "list/listkey.h"
#include "store/record/proptag.h"

class QFont;
class QWidget;

namespace kontavo {

class ContactObserver;
class PhoneTemplateSet;

// The contact list as the contacts frame drives it: the rows of the list
// pane over the index's results, drawn in the owner-drawn list control.
// The frame owns the model; the model owns its list control, which the
// frame places. UI thread only.
class FrameListModel {
public:
    // What the model tells the frame. Each may be left empty.
    struct Listener {
        // The selection changed (by pen, keys or a refill).
        std::function<void()> selectionChanged;
        // A contact row was activated (double tap or the action key).
        std::function<void(Oid oid)> activated;
        // A key the list and the model do not use themselves; true when the
        // frame used it.
        std::function<bool(const ListKey& key)> key;
        // The list waits for the store (true) or has its rows again (false).
        std::function<void(bool busy)> busy;
        // A command of the list's context menu that the frame carries out
        // for the selected contacts: "Duplicate" (41284), "Beam..." (41286),
        // "Make Appointment..." (41211) or a Contacts add-in's.
        std::function<void(int command)> command;
    };

    virtual ~FrameListModel() = default;

    virtual void setListener(Listener listener) = 0;
    // The model as the contact store's observer (it follows the store's
    // changes); valid while the model lives.
    virtual ContactObserver* observer() = 0;
    // The list control ("COOL.LIST").
    virtual QWidget* view() = 0;

    // The view modes; the model redraws (and, for the sort type, refills
    // keeping the selected contact).
    virtual void setNameOnly(bool on) = 0;
    virtual void setDoubleSized(bool on) = 0;
    virtual void setSortType(int type) = 0;

    // Asks the index again with `search`, under the category filter and the
    // sort type, and selects the previously selected contact where it is
    // still listed (else nothing).
    virtual void refill(const ListSearch& search) = 0;
    // Refills with the current search (after the store changed).
    virtual void refresh() = 0;

    // The contacts of the selected rows, each once, in row order (a company
    // header contributes its contacts).
    virtual QList<Oid> selectedOids() const = 0;
    // The contact of the selected contact row; 0 for a company header, more
    // than one row or none.
    virtual Oid selectedContact() const = 0;
    // Selects the row of `oid` and scrolls it into view; false when the
    // contact is not listed.
    virtual bool selectContact(Oid oid) = 0;
    virtual void clearSelection() = 0;
    // Moves the selection one row up (-1) or down (+1).
    virtual void stepSelection(int delta) = 0;
    virtual PositionCaption positionCaption() const = 0;

    // Deletes the selected contacts after the user confirmed it.
    virtual void deleteSelection() = 0;
    // Puts `oid` first in the recently used contacts.
    virtual void addRecent(Oid oid) = 0;

    // The category filter's caption for the drop-down button, and its
    // pop-up menu shown under `button`; true when the filter changed (the
    // model has then refilled).
    virtual QString filterCaption() const = 0;
    // The categories a new contact starts in: those of the category filter
    // while it shows chosen categories, else none.
    virtual QList<Oid> newContactCategories() const { return {}; }
    virtual bool chooseFilter(QWidget* button) = 0;

    // Replaces the phone number templates the rows show their numbers
    // through; the list redraws.
    virtual void setPhoneTemplates(const PhoneTemplateSet& templates) = 0;
    // Draws the rows in `font` from now on (the row height follows).
    virtual void setListFont(const QFont& font) = 0;
};

}  // namespace kontavo
