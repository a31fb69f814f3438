#include "fieldassignment.h"

#include <QDate>

#include "store/contacts/categorynamerule.h"
#include "store/notes/utf16note.h"
#include "store/record/contactfields.h"

namespace kontavo {

namespace {

std::optional<ContactField> fieldNamed(const QString& name) {
    for (const ContactFieldInfo& info : contactFieldTable()) {
        if (name.compare(QLatin1String(info.name), Qt::CaseInsensitive) == 0) {
            return info.field;
        }
    }
    return std::nullopt;
}

// An empty text is 0 (no date); otherwise YYYY-MM-DD.
std::optional<FileTime> parseDate(const QString& text) {
    if (text.isEmpty()) {
        return FileTime(0);
    }
    return fileTimeFromDate(QDate::fromString(text, QStringLiteral("yyyy-MM-dd")));
}

std::optional<uint32_t> parseNumber(const QString& text) {
    if (text.isEmpty()) {
        return 0u;
    }
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok, 0);
    return ok && value <= 0xFFFFFFFFull ? std::optional<uint32_t>(uint32_t(value)) : std::nullopt;
}

// Replaces the value of the first entry labelled `label`, or appends one; an
// empty value removes every entry of that label.
template <typename Entry>
void setEntry(QList<Entry>& list, const Entry& entry, bool clear) {
    if (clear) {
        list.removeIf([&entry](const Entry& e) { return e.label == entry.label; });
        return;
    }
    for (Entry& existing : list) {
        if (existing.label == entry.label) {
            existing = entry;
            return;
        }
    }
    list.append(entry);
}

using PairList = QList<LabeledValue> ExtendedProperties::*;

std::optional<PairList> pairListOf(const QString& kind) {
    static const QList<std::pair<QString, PairList>> kinds = {
        {"phone", &ExtendedProperties::phones},     {"email", &ExtendedProperties::emails},
        {"webpage", &ExtendedProperties::webPages}, {"people", &ExtendedProperties::people},
        {"link", &ExtendedProperties::links},       {"otherprop", &ExtendedProperties::otherProps}};
    for (const auto& [name, list] : kinds) {
        if (kind.compare(name, Qt::CaseInsensitive) == 0) {
            return list;
        }
    }
    return std::nullopt;
}

std::optional<ExtendedAddress> parseAddress(const QString& label, const QString& value) {
    const QStringList parts = value.split(QLatin1Char(';'));
    if (parts.size() > ExtendedAddress::kSlotCount + 1) {
        return std::nullopt;
    }
    ExtendedAddress address;
    address.label = label;
    for (int i = 0; i < ExtendedAddress::kSlotCount && i < parts.size(); ++i) {
        address.parts[size_t(i)] = parts[i].trimmed();
    }
    if (parts.size() == ExtendedAddress::kSlotCount + 1) {
        const std::optional<uint32_t> code = parseNumber(parts.last().trimmed());
        if (!code) {
            return std::nullopt;
        }
        address.formatCode = *code;
    }
    return address;
}

}  // namespace

std::optional<ContactEdit> ContactEdit::parse(const QStringList& assignments, QString& error) {
    ContactEdit edit;
    for (const QString& assignment : assignments) {
        if (!edit.parseOne(assignment, error)) {
            return std::nullopt;
        }
    }
    return edit;
}

bool ContactEdit::parseOne(const QString& assignment, QString& error) {
    const qsizetype equals = assignment.indexOf(QLatin1Char('='));
    if (equals <= 0) {
        error = QStringLiteral("\"%1\" is not FIELD=VALUE").arg(assignment);
        return false;
    }
    const QString key = assignment.left(equals);
    const QString value = assignment.mid(equals + 1);
    const qsizetype colon = key.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        return parseExtended(key.left(colon), key.mid(colon + 1), value, error);
    }
    if (const std::optional<ContactField> field = fieldNamed(key)) {
        m_changes.append([f = *field, value](ContactRecord& r) { r.setField(f, value); });
        return true;
    }
    return parseSpecial(key, value, error);
}

bool ContactEdit::parseSpecial(const QString& key, const QString& value, QString& error) {
    const QString name = key.toLower();
    if (name == QLatin1String("birthday") || name == QLatin1String("anniversary")) {
        return parseDateField(name == QLatin1String("birthday"), key, value, error);
    }
    if (name == QLatin1String("categories")) {
        return parseCategories(value, error);
    }
    if (name == QLatin1String("notes")) {
        m_changes.append([note = utf16Note(value)](ContactRecord& r) { r.userNote = note; });
        return true;
    }
    if (name == QLatin1String("image")) {
        m_changes.append([value](ContactRecord& r) { r.extended.image = value; });
        return true;
    }
    if (parseNumberField(name, key, value, error) || !error.isEmpty()) {
        return error.isEmpty();
    }
    error = QStringLiteral("unknown field \"%1\"").arg(key);
    return false;
}

bool ContactEdit::parseDateField(bool birthday, const QString& key, const QString& value,
                                 QString& error) {
    const std::optional<FileTime> time = parseDate(value);
    if (!time) {
        error = QStringLiteral("%1 needs a date YYYY-MM-DD, got \"%2\"").arg(key, value);
        return false;
    }
    m_changes.append(
        [birthday, t = *time](ContactRecord& r) { (birthday ? r.birthday : r.anniversary) = t; });
    return true;
}

bool ContactEdit::parseCategories(const QString& value, QString& error) {
    QStringList names;
    for (const QString& part : value.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = part.trimmed();
        if (const std::optional<CategoryNameProblem> problem = checkCategoryName(trimmed)) {
            error = QStringLiteral("\"%1\": %2").arg(trimmed, problem->message);
            return false;
        }
        if (!trimmed.isEmpty() && !names.contains(trimmed)) {
            names.append(trimmed);
        }
    }
    m_categories = names;
    return true;
}

// The numeric fields: the three address format codes and the preferred
// item. False with `error` empty when `name` is none of them.
bool ContactEdit::parseNumberField(const QString& name, const QString& key, const QString& value,
                                   QString& error) {
    using Setter = void (*)(ContactRecord&, uint32_t);
    static const QList<std::pair<QString, Setter>> fields = {
        {"homeformat", [](ContactRecord& r, uint32_t v) { r.extended.homeAddressFormat = v; }},
        {"workformat", [](ContactRecord& r, uint32_t v) { r.extended.workAddressFormat = v; }},
        {"otherformat", [](ContactRecord& r, uint32_t v) { r.extended.otherAddressFormat = v; }},
        {"preferreditem", [](ContactRecord& r, uint32_t v) { r.preferredItemTag = v; }}};
    for (const auto& [fieldName, setter] : fields) {
        if (name != fieldName) {
            continue;
        }
        const std::optional<uint32_t> number = parseNumber(value);
        if (!number) {
            error = QStringLiteral("%1 needs a number, got \"%2\"").arg(key, value);
            return false;
        }
        m_changes.append([set = setter, n = *number](ContactRecord& r) { set(r, n); });
        return true;
    }
    return false;
}

bool ContactEdit::parseExtended(const QString& kind, const QString& label, const QString& value,
                                QString& error) {
    // The notes block only reads back labels that begin with a letter or a digit.
    if (label.isEmpty() || !label.front().isLetterOrNumber()) {
        error = QStringLiteral("the label of %1:%2 must begin with a letter or a digit")
                    .arg(kind, label);
        return false;
    }
    const bool clear = value.isEmpty();
    if (const std::optional<PairList> list = pairListOf(kind)) {
        m_changes.append([l = *list, label, value, clear](ContactRecord& r) {
            setEntry(r.extended.*l, LabeledValue{label, value}, clear);
        });
        return true;
    }
    const QString name = kind.toLower();
    if (name == QLatin1String("messenger")) {
        return parseMessenger(label, value, error);
    }
    if (name == QLatin1String("address")) {
        return parseAddressEntry(label, value, error);
    }
    if (name == QLatin1String("date")) {
        return parseDateEntry(label, value, error);
    }
    error = QStringLiteral("unknown extended kind \"%1\"").arg(kind);
    return false;
}

bool ContactEdit::parseMessenger(const QString& label, const QString& value, QString& error) {
    const bool clear = value.isEmpty();
    const qsizetype semicolon = value.indexOf(QLatin1Char(';'));
    if (!clear && semicolon < 0) {
        error = QStringLiteral("messenger:%1 needs TYPE;ACCOUNT").arg(label);
        return false;
    }
    const MessengerEntry entry{label, value.mid(semicolon + 1).trimmed(),
                               value.left(semicolon).trimmed()};
    m_changes.append(
        [entry, clear](ContactRecord& r) { setEntry(r.extended.messengers, entry, clear); });
    return true;
}

bool ContactEdit::parseAddressEntry(const QString& label, const QString& value, QString& error) {
    const std::optional<ExtendedAddress> address = parseAddress(label, value);
    if (!address) {
        error = QStringLiteral(
                    "address:%1 needs up to five parts and a format number, "
                    "separated by \";\"")
                    .arg(label);
        return false;
    }
    m_changes.append([a = *address, clear = value.isEmpty()](ContactRecord& r) {
        setEntry(r.extended.addresses, a, clear);
    });
    return true;
}

bool ContactEdit::parseDateEntry(const QString& label, const QString& value, QString& error) {
    const std::optional<FileTime> time = parseDate(value);
    if (!time) {
        error = QStringLiteral("date:%1 needs a date YYYY-MM-DD, got \"%2\"").arg(label, value);
        return false;
    }
    m_changes.append([entry = ExtendedDate{label, *time}, clear = value.isEmpty()](
                         ContactRecord& r) { setEntry(r.extended.dates, entry, clear); });
    return true;
}

void ContactEdit::applyTo(ContactRecord& record) const {
    for (const auto& change : m_changes) {
        change(record);
    }
}

}  // namespace kontavo
