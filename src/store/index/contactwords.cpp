#include "store/index/contactwords.h"

#include "platform/locale.h"
#include "store/contacts/contactreader.h"

namespace kontavo {

namespace {

void addCode(SearchWords& words, uint32_t code) {
    if (code != 0) {
        words.addWord(QString::number(code));
    }
}

void addDate(SearchWords& words, FileTime time, const Locale& locale) {
    const QString text = indexDateText(time, locale);
    if (!text.isEmpty()) {
        words.addText(text);
    }
}

void addExtended(SearchWords& words, const ExtendedProperties& extended, const Locale& locale) {
    for (const QList<LabeledValue>* list : {&extended.emails, &extended.webPages, &extended.people,
                                            &extended.links, &extended.otherProps}) {
        for (const LabeledValue& item : *list) {
            words.addText(item.value);
        }
    }
    for (const MessengerEntry& messenger : extended.messengers) {
        words.addText(messenger.account);
    }
    for (const ExtendedDate& date : extended.dates) {
        addDate(words, date.time, locale);
    }
    for (const ExtendedAddress& address : extended.addresses) {
        addCode(words, address.formatCode);
        for (const QString& part : address.parts) {
            words.addText(part);
        }
    }
    addCode(words, extended.homeAddressFormat);
    addCode(words, extended.workAddressFormat);
    addCode(words, extended.otherAddressFormat);
}

// The numbers of ContactRecord::allPhoneNumbers(), without loading the labels.
void addPhones(SearchWords& words, const ContactRecord& record) {
    for (ContactField field : phoneListFields()) {
        if (!record.field(field).isEmpty()) {
            words.addPhone(record.field(field));
        }
    }
    for (const LabeledValue& phone : record.extended.phones) {
        if (!phone.value.isEmpty()) {
            words.addPhone(phone.value);
        }
    }
}

}  // namespace

QString indexDateText(FileTime time, const Locale& locale) {
    const QDate date = time == 0 ? QDate() : dateFromFileTime(time);
    return date.isValid() ? locale.formatDate(locale.shortDatePicture(), date) : QString();
}

SearchWords contactWords(const IndexedContact& contact, const LetterGroupSet* groups,
                         const Locale& locale) {
    SearchWords words(groups);
    const ContactRecord& record = contact.record;
    for (const QString& text : record.fields) {
        words.addText(text);
    }
    addDate(words, record.birthday, locale);
    addDate(words, record.anniversary, locale);
    addPhones(words, record);
    addExtended(words, record.extended, locale);
    words.addText(contact.notesText);
    return words;
}

}  // namespace kontavo
