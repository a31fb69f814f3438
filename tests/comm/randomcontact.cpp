#include "randomcontact.h"

#include "store/notes/utf16note.h"
#include "store/record/itemkey.h"

namespace kontavo::test {

namespace {

const QStringList kPieces = {
    QStringLiteral("Anna"),       QStringLiteral("Петрова"), QStringLiteral("東京"),
    QStringLiteral("\U0001F600"), QStringLiteral(";"),       QStringLiteral(","),
    QStringLiteral("\\"),         QStringLiteral("\r\n"),    QStringLiteral(" "),
    QStringLiteral(":"),          QStringLiteral("\""),      QStringLiteral("^"),
    QStringLiteral("Straße"),     QStringLiteral("+7 495"),  QStringLiteral("x@y.org"),
    QStringLiteral("="),          QStringLiteral("\\n"),     QStringLiteral("é"),
};

}  // namespace

QString RandomContact::text(int maxLength) {
    QString result;
    const int pieces = below(maxLength + 1);
    for (int i = 0; i < pieces; ++i) {
        result += kPieces[below(int(kPieces.size()))];
    }
    return result;
}

QString RandomContact::label() {
    // Labels are never empty: a card without one gets a default label.
    return QStringLiteral("L") + text(4);
}

FileTime RandomContact::time(bool midnight) {
    const QDate date = QDate(1900, 1, 1).addDays(below(70000));
    FileTime value = *fileTimeFromDate(date);
    if (!midnight) {
        value += FileTime(below(86400)) * 10'000'000 + FileTime(below(10'000'000));
    }
    return value;
}

VCardContact RandomContact::next() {
    VCardContact contact;
    ContactRecord& record = contact.record;
    for (int f = 0; f < kContactFieldCount; ++f) {
        if (chance(70)) {
            record.fields[size_t(f)] = text(chance(10) ? 60 : 5);
        }
    }
    record.birthday = chance(60) ? time(chance(70)) : 0;
    record.anniversary = chance(40) ? time(chance(70)) : 0;
    const QString note = chance(50) ? text(chance(20) ? 200 : 10) : QString();
    record.userNote = utf16Note(note);
    fillExtended(record.extended);
    choosePreferred(record);
    if (chance(20)) {
        static const char* const types[] = {"image/jpeg", "image/png", "image/gif"};
        QByteArray bytes(below(300) + 1, '\0');
        for (char& byte : bytes) {
            byte = char(below(256));
        }
        contact.picture = VCardPicture{bytes, QString::fromLatin1(types[below(3)])};
    }
    for (int i = below(4); i > 0; --i) {
        const QString name = QStringLiteral("Cat") + QString::number(below(50));
        if (!contact.categories.contains(name)) {
            contact.categories.append(name);
        }
    }
    return contact;
}

void RandomContact::fillExtended(ExtendedProperties& e) {
    for (QList<LabeledValue>* list :
         {&e.phones, &e.emails, &e.webPages, &e.people, &e.links, &e.otherProps}) {
        for (int i = below(3); i > 0; --i) {
            list->append({label(), text(6)});
        }
    }
    for (int i = below(3); i > 0; --i) {
        e.messengers.append({label(), text(4), text(3)});
    }
    for (int i = below(3); i > 0; --i) {
        ExtendedAddress address{label(), {}, uint32_t(below(60))};
        for (QString& part : address.parts) {
            part = text(4);
        }
        e.addresses.append(address);
    }
    for (int i = below(3); i > 0; --i) {
        e.dates.append({label(), time(chance(80))});
    }
    e.homeAddressFormat = chance(50) ? uint32_t(below(59) + 1) : 0;
    e.workAddressFormat = chance(50) ? uint32_t(below(59) + 1) : 0;
    e.otherAddressFormat = chance(50) ? uint32_t(below(59) + 1) : 0;
}

void RandomContact::choosePreferred(ContactRecord& record) {
    const QList<uint32_t> candidates = record.preferredCandidates();
    if (!candidates.isEmpty() && chance(70)) {
        record.preferredItemTag = candidates[below(int(candidates.size()))];
    }
}

}  // namespace kontavo::test
