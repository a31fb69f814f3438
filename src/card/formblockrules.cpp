#include "card/formblockrules.h"

#include "card/addressformattable.h"
#include "card/formdate.h"
#include "diag/resources.h"

namespace kontavo::formrules {

namespace {

bool validRow(const FormEntry& entry, int row) {
    return row >= 0 && row < entry.rows.size();
}

QList<MenuEntry> choiceMenu(const TemplateLabels& labels, int current) {
    QList<MenuEntry> menu;
    for (int i = 0; i < labels.size(); ++i) {
        if (i == labels.builtInCount() && i > 0) {
            menu.append({MenuEntry::Kind::Separator, {}, -1, false});
        }
        menu.append({MenuEntry::Kind::Label, labels.at(i), i, i == current});
    }
    menu.append({MenuEntry::Kind::Separator, {}, -1, false});
    menu.append({MenuEntry::Kind::Custom, loadString(kCustomItemString), -1, false});
    return menu;
}

}  // namespace

bool rowHasValue(const FormEntry& entry, int row) {
    if (!validRow(entry, row)) {
        return false;
    }
    const FormRow& r = entry.rows[row];
    switch (entry.kind) {
        case BlockKind::Date:
            return r.date != 0 || r.hasInvalidDate();
        case BlockKind::Address:
            for (const QString& part : r.address.values()) {
                if (!part.isEmpty()) {
                    return true;
                }
            }
            return false;
        default:
            return !r.text.isEmpty();
    }
}

bool hasDeleteButton(const FormEntry& entry, int row, bool templateMode) {
    return entry.hasRowOperations() && validRow(entry, row) &&
           (templateMode || entry.rows.size() > 1);
}

bool hasAddButton(const FormEntry& entry, int row, bool templateMode) {
    return entry.hasRowOperations() && validRow(entry, row) && row == entry.rows.size() - 1 &&
           (templateMode || rowHasValue(entry, row));
}

int firstUnusedLabel(const FormEntry& entry) {
    for (int label = 0; label < entry.labels.size(); ++label) {
        bool used = false;
        for (const FormRow& row : entry.rows) {
            used = used || row.label == label;
        }
        if (!used) {
            return label;
        }
    }
    return entry.rows.isEmpty() ? 0 : entry.rows.last().label;
}

int addRow(FormEntry& entry, const AddressFormatTable& table) {
    FormRow row;
    row.label = firstUnusedLabel(entry);
    if (entry.kind == BlockKind::Messenger && !entry.rows.isEmpty()) {
        row.messengerType = entry.rows.last().messengerType;
    }
    if (entry.kind == BlockKind::Address) {
        row.address.applyFormat(entry.lastAddressFormat, table);
    }
    entry.rows.append(row);
    return int(entry.rows.size()) - 1;
}

void deleteRow(FormEntry& entry, int row) {
    if (validRow(entry, row)) {
        entry.rows.removeAt(row);
    }
}

QList<MenuEntry> labelMenu(const FormEntry& entry, int row) {
    QList<MenuEntry> menu =
        choiceMenu(entry.labels, validRow(entry, row) ? entry.rows[row].label : -1);
    if (entry.kind == BlockKind::Address) {
        menu.append(
            {MenuEntry::Kind::AddressFormat, loadString(kAddressFormatItemString), -1, false});
    }
    return menu;
}

QList<MenuEntry> messengerTypeMenu(const FormEntry& entry, int row) {
    return choiceMenu(entry.messengerTypes,
                      validRow(entry, row) ? entry.rows[row].messengerType : -1);
}

QString customLabelCaption(const FormEntry& entry, int row) {
    const bool custom =
        validRow(entry, row) && entry.rows[row].label >= entry.labels.builtInCount();
    return loadString(custom ? kRenameLabelString : kAddCustomLabelString);
}

bool isAcceptableLabel(const QString& text) {
    return !text.isEmpty() && text.size() <= kMaxLabelLength && !text.startsWith(QLatin1Char('['));
}

bool applyCustomLabel(FormEntry& entry, int row, const QString& text) {
    if (!validRow(entry, row) || !isAcceptableLabel(text)) {
        return false;
    }
    entry.rows[row].label = entry.labels.findOrAppend(text);
    return true;
}

bool applyCustomMessengerType(FormEntry& entry, int row, const QString& text) {
    if (!validRow(entry, row) || !isAcceptableLabel(text)) {
        return false;
    }
    entry.rows[row].messengerType = entry.messengerTypes.findOrAppend(text);
    return true;
}

QString editText(const FormEntry& entry, int row) {
    if (!validRow(entry, row)) {
        return {};
    }
    const QString& text = entry.rows[row].text;
    return text.isEmpty() ? entry.hint : text;
}

void commitText(FormEntry& entry, int row, const QString& text) {
    if (!validRow(entry, row)) {
        return;
    }
    entry.rows[row].text = (text.isEmpty() || text == entry.hint) ? QString() : text;
}

void commitDate(FormEntry& entry, int row, const QString& text, DateOrder order, int currentYear) {
    if (!validRow(entry, row)) {
        return;
    }
    FormRow& r = entry.rows[row];
    r.invalidDate.clear();
    r.date = 0;
    if (text.trimmed().isEmpty() || text == entry.hint) {
        return;
    }
    const std::optional<QDate> date = parseTypedDate(text, order, currentYear);
    const std::optional<FileTime> time = date ? fileTimeFromDate(*date) : std::nullopt;
    if (time) {
        r.date = *time;
    } else {
        r.invalidDate = text;
    }
}

QString dateText(const FormEntry& entry, int row, const Locale& locale) {
    if (!validRow(entry, row)) {
        return {};
    }
    const FormRow& r = entry.rows[row];
    if (r.hasInvalidDate()) {
        return r.invalidDate;
    }
    if (r.date == 0) {
        return entry.hint;
    }
    return locale.formatDate(locale.shortDatePicture(), dateFromFileTime(r.date));
}

}  // namespace kontavo::formrules
