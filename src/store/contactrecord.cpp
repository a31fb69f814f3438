#include "store/contactrecord.h"

#include <algorithm>

#include "store/itemkey.h"

namespace kontavo {

namespace {

using F = ContactField;

bool isNoCategoryMask(const QByteArray& mask) {
    return mask.isEmpty() || (mask.size() == 1 && mask.at(0) == '\0');
}

void appendExtendedKeys(const QList<LabeledValue>& items, QList<uint32_t>& out) {
    for (const LabeledValue& item : items) {
        if (!item.value.isEmpty()) {
            out.append(itemKey(item.label, item.value));
        }
    }
}

const LabeledValue* findByKey(const QList<LabeledValue>& items, uint32_t key) {
    for (const LabeledValue& item : items) {
        if (itemKey(item.label, item.value) == key) {
            return &item;
        }
    }
    return nullptr;
}

}  // namespace

void ContactRecord::clear() {
    *this = ContactRecord();
    categoryMask.clear();
}

bool ContactRecord::sameBase(const ContactRecord& other) const {
    return oid == other.oid && anniversary == other.anniversary && birthday == other.birthday &&
           preferredItemTag == other.preferredItemTag && fields == other.fields &&
           categoryMask == other.categoryMask && samePicture(picture, other.picture) &&
           userNote == other.userNote;
}

bool ContactRecord::equals(const ContactRecord& other) const {
    return sameBase(other) && notesBlob == other.notesBlob && extended == other.extended;
}

bool ContactRecord::sameContent(const ContactRecord& other) const {
    ExtendedProperties mine = extended;
    mine.image = other.extended.image;
    mine.checksum = other.extended.checksum;
    return sameBase(other) && mine == other.extended;
}

bool ContactRecord::isEmpty() const {
    const bool noStrings =
        std::all_of(fields.begin(), fields.end(), [](const QString& s) { return s.isEmpty(); });
    return noStrings && birthday == 0 && anniversary == 0 && preferredItemTag == 0 &&
           isNoCategoryMask(categoryMask) && notesBlob.isEmpty() && userNote.isEmpty() &&
           !picture && extended.isEmpty();
}

NameLines ContactRecord::nameLines() const {
    const QString& last = field(F::LastName);
    const QString& first = field(F::FirstName);
    const QString& middle = field(F::MiddleName);
    const QString& company = field(F::Company);
    NameLines lines;
    if (!last.isEmpty()) {
        lines.first = last;
        if (!first.isEmpty()) {
            lines.first += QStringLiteral(", ") + first;
        }
        if (!middle.isEmpty()) {
            lines.first += QLatin1Char(' ') + middle;
        }
    } else if (!first.isEmpty() || !middle.isEmpty()) {
        lines.first = first;
        if (!first.isEmpty() && !middle.isEmpty()) {
            lines.first += QLatin1Char(' ');
        }
        lines.first += middle;
    } else if (!company.isEmpty()) {
        lines.first = company;
        return lines;
    } else {
        lines.first = field(F::Title).isEmpty() ? field(F::Suffix) : field(F::Title);
    }
    lines.second = company;
    return lines;
}

QString ContactRecord::shortDisplayName(const QString& lastName, const QString& firstName,
                                        const QString& fallback) {
    if (!lastName.isEmpty() && !firstName.isEmpty()) {
        return lastName + QStringLiteral(", ") + firstName;
    }
    if (!lastName.isEmpty()) {
        return lastName;
    }
    return firstName.isEmpty() ? fallback : firstName;
}

QList<LabeledValue> ContactRecord::phoneList() const {
    QList<LabeledValue> phones;
    for (ContactField f : phoneListFields()) {
        if (!field(f).isEmpty()) {
            phones.append({fieldLabel(f).wide, field(f)});
        }
    }
    for (const LabeledValue& phone : extended.phones) {
        if (!phone.value.isEmpty()) {
            phones.append(phone);
        }
    }
    return phones;
}

QStringList ContactRecord::allPhoneNumbers() const {
    QStringList numbers;
    for (const LabeledValue& phone : phoneList()) {
        numbers.append(phone.value);
    }
    return numbers;
}

QList<uint32_t> ContactRecord::preferredCandidates() const {
    QList<uint32_t> candidates;
    for (FieldGroup group : {FieldGroup::Phone, FieldGroup::Email}) {
        for (ContactField f : fieldsOfGroup(group)) {
            if (!field(f).isEmpty()) {
                candidates.append(fieldInfo(f).tag());
            }
        }
        appendExtendedKeys(group == FieldGroup::Phone ? extended.phones : extended.emails,
                           candidates);
    }
    return candidates;
}

std::optional<uint32_t> ContactRecord::nextPreferredItem(int step) const {
    const QList<uint32_t> candidates = preferredCandidates();
    if (candidates.size() < 2) {
        return std::nullopt;
    }
    const qsizetype last = candidates.size() - 1;
    const qsizetype current = std::max<qsizetype>(0, candidates.indexOf(preferredItemTag));
    qsizetype next = current + step;
    if (next < 0) {
        next = last;
    } else if (next > last) {
        next = 0;
    }
    return candidates[next];
}

std::optional<PreferredExtended> ContactRecord::findPreferredExtended() const {
    if (const LabeledValue* phone = findByKey(extended.phones, preferredItemTag)) {
        return PreferredExtended{phone->label, phone->value, ExtendedItemKind::Phone};
    }
    if (const LabeledValue* email = findByKey(extended.emails, preferredItemTag)) {
        return PreferredExtended{email->label, email->value, ExtendedItemKind::Email};
    }
    return std::nullopt;
}

}  // namespace kontavo
