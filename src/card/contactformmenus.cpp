// The edit form's pop-ups: the label menu, the messenger type menu, the
// name dialog and the country list.
#include "card/addressformattable.h"
#include "card/contactform.h"
#include "card/countrylistpopup.h"
#include "card/formblockrules.h"
#include "card/formcanvas.h"
#include "card/labelnamedialog.h"
#include "diag/resources.h"
#include "ui/popupmenu.h"
#include "ui/sharedfonts.h"

namespace kontavo {

namespace {

using formrules::MenuEntry;

constexpr int kCountryInsetX = 15;
constexpr int kCountryInsetY = 20;

// Shows `entries` as a pop-up menu at `at`; the chosen entry, or null.
const MenuEntry* runMenu(const QList<MenuEntry>& entries, const QPoint& at, QWidget* owner) {
    PopupMenu menu(owner);
    menu.setFont(SharedFonts::current().normal);
    QHash<QAction*, const MenuEntry*> byAction;
    for (const MenuEntry& entry : entries) {
        if (entry.kind == MenuEntry::Kind::Separator) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(entry.text);
        action->setCheckable(entry.checked);
        action->setChecked(entry.checked);
        byAction.insert(action, &entry);
    }
    QAction* chosen = menu.exec(at);
    return byAction.value(chosen, nullptr);
}

}  // namespace

std::optional<QString> ContactForm::askName(const QString& caption, const QString& text) {
    LabelNameDialog dialog(caption, text, m_services.screen, window());
    dialog.move(window()->geometry().center() - QPoint(dialog.width() / 2, dialog.height() / 2));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.text();
}

void ContactForm::openLabelMenu(int line) {
    const FormLayout::Line l = m_layout.lines()[line];
    const QList<MenuEntry> entries = formrules::labelMenu(m_blocks[l.block], l.row);
    const QPoint at = m_canvas->mapToGlobal(m_layout.labelRect(line).bottomLeft());
    const MenuEntry* chosen = runMenu(entries, at, this);
    if (chosen == nullptr) {
        return;
    }
    FormEntry& entry = m_blocks[l.block];
    switch (chosen->kind) {
        case MenuEntry::Kind::Label:
            if (entry.rows[l.row].label != chosen->index) {
                entry.rows[l.row].label = chosen->index;
                m_canvas->update();
                markChanged();
            }
            break;
        case MenuEntry::Kind::Custom: {
            const std::optional<QString> name =
                askName(formrules::customLabelCaption(entry, l.row), entry.labelText(l.row));
            if (name && formrules::applyCustomLabel(m_blocks[l.block], l.row, *name)) {
                m_canvas->update();
                markChanged();
            }
            break;
        }
        case MenuEntry::Kind::AddressFormat:
            chooseAddressFormat(line);
            break;
        case MenuEntry::Kind::Separator:
            break;
    }
}

void ContactForm::openTypeMenu(int line) {
    const FormLayout::Line l = m_layout.lines()[line];
    const QList<MenuEntry> entries = formrules::messengerTypeMenu(m_blocks[l.block], l.row);
    const QPoint at = m_canvas->mapToGlobal(m_layout.typeRect(line).bottomLeft());
    const MenuEntry* chosen = runMenu(entries, at, this);
    if (chosen == nullptr) {
        return;
    }
    FormEntry& entry = m_blocks[l.block];
    if (chosen->kind == MenuEntry::Kind::Label) {
        if (entry.rows[l.row].messengerType == chosen->index) {
            return;
        }
        entry.rows[l.row].messengerType = chosen->index;
    } else {
        const std::optional<QString> name =
            askName(loadString(formrules::kAddCustomTypeString), entry.messengerTypeText(l.row));
        if (!name || !formrules::applyCustomMessengerType(m_blocks[l.block], l.row, *name)) {
            return;
        }
    }
    relayout();
    markChanged();
}

void ContactForm::chooseAddressFormat(int line) {
    const FormLayout::Line l = m_layout.lines()[line];
    const AddressFormatTable& table = *m_services.context.addressFormats;
    const QRect window(mapToGlobal(QPoint(0, 0)), size());
    const QRect area = window.adjusted(
        m_services.screen.scaleX(kCountryInsetX), m_services.screen.scaleY(kCountryInsetY),
        -m_services.screen.scaleX(kCountryInsetX), -m_services.screen.scaleY(kCountryInsetY));
    CountryListPopup popup(table.countryNames(), m_blocks[l.block].rows[l.row].address.format(),
                           area, this);
    popup.exec();
    if (popup.chosen() < 0) {
        return;
    }
    FormEntry& entry = m_blocks[l.block];
    FormRow& row = entry.rows[l.row];
    entry.lastAddressFormat = popup.chosen();
    const bool wasUnset = row.addressFormatUnset;
    row.addressFormatUnset = false;
    if (row.address.applyFormat(popup.chosen(), table) || wasUnset) {
        relayout();
        markChanged();
    }
}

}  // namespace kontavo
