#include "contacttext.h"

#include <QRegularExpression>
#include <QStringList>

#include "store/contacts/contactmanager.h"
#include "store/notes/extendedblock.h"

namespace kontavo::test {

QString searchableText(ContactManager& manager, Oid oid) {
    ContactRecord record;
    if (!manager.readContact(oid, record)) {
        return {};
    }
    QStringList parts(record.fields.begin(), record.fields.end());
    const ExtendedProperties& extended = record.extended;
    for (const QList<LabeledValue>* list :
         {&extended.phones, &extended.emails, &extended.webPages, &extended.people, &extended.links,
          &extended.otherProps}) {
        for (const LabeledValue& item : *list) {
            parts.append(item.value);
        }
    }
    for (const MessengerEntry& messenger : extended.messengers) {
        parts.append(messenger.account);
    }
    for (const ExtendedAddress& address : extended.addresses) {
        parts.append(QStringList(address.parts.begin(), address.parts.end()));
    }
    parts.append(noteToText(record.userNote));
    return parts.join(QLatin1Char(' ')).toLower();
}

bool hasWordStartingWith(const QString& text, const QString& prefix) {
    static const QRegularExpression separators(QStringLiteral("[^\\p{L}\\p{N}]+"));
    for (const QString& word : text.split(separators, Qt::SkipEmptyParts)) {
        if (word.startsWith(prefix)) {
            return true;
        }
    }
    return false;
}

bool hasWordStartingWithOneOf(const QString& text, const QString& letters) {
    for (const QChar letter : letters) {
        if (hasWordStartingWith(text, QString(letter))) {
            return true;
        }
    }
    return false;
}

}  // namespace kontavo::test
