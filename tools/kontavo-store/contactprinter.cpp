#include "contactprinter.h"

#include <QDate>

#include "store/contacts/contactnotes.h"
#include "store/contacts/recordchecksum.h"
#include "store/notes/extendedblock.h"
#include "store/record/contactfields.h"

namespace kontavo {

namespace {

QString hex32(uint32_t value) {
    return QStringLiteral("0x") + QString::number(value, 16).toUpper().rightJustified(8, u'0');
}

QString encodingName(const QByteArray& notes) {
    switch (noteEncoding(notes)) {
        case NoteEncoding::PocketWordInk:
            return QStringLiteral("Pocket Word Ink");
        case NoteEncoding::Utf16:
            return QStringLiteral("UTF-16 text");
        case NoteEncoding::Ansi:
            return QStringLiteral("8-bit text");
    }
    return QString();
}

QString propertyName(const PropValue& value) {
    if (value.type() == PropType::String) {
        if (const std::optional<ContactField> field = fieldForPropId(propId(value.tag()))) {
            return QLatin1String(fieldInfo(*field).name);
        }
    }
    switch (value.tag()) {
        case kTagBirthday:
            return QStringLiteral("Birthday");
        case kTagAnniversary:
            return QStringLiteral("Anniversary");
        case kTagPreferredItem:
            return QStringLiteral("PreferredItem");
        case kTagCategoryMask:
            return QStringLiteral("CategoryMask");
        case kTagNotes:
            return QStringLiteral("Notes");
        default:
            return QStringLiteral("(other)");
    }
}

QString valueText(const PropValue& value, const QStringList& categoryNames) {
    switch (value.type()) {
        case PropType::String:
            return printable(value.toString());
        case PropType::Int16:
        case PropType::Int32:
            return value.tag() == kTagPreferredItem ? hex32(uint32_t(value.toInt()))
                                                    : QString::number(value.toInt());
        case PropType::FileTime:
            return dateText(value.toFileTime());
        case PropType::Blob:
            break;
    }
    const QByteArray bytes = value.toBlob();
    if (value.tag() == kTagCategoryMask) {
        return QString::fromLatin1(bytes.toHex()) + QStringLiteral("  (") +
               printable(categoryNames.join(QStringLiteral(", "))) + QLatin1Char(')');
    }
    if (value.tag() == kTagNotes) {
        return QStringLiteral("%1 bytes, %2").arg(bytes.size()).arg(encodingName(bytes));
    }
    return QStringLiteral("%1 bytes").arg(bytes.size());
}

void appendPairs(QStringList& lines, const char* kind, const QList<LabeledValue>& pairs) {
    for (const LabeledValue& pair : pairs) {
        lines.append(QStringLiteral("  %1:%2 = %3")
                         .arg(QLatin1String(kind), printable(pair.label), printable(pair.value)));
    }
}

void appendFormat(QStringList& lines, const char* name, uint32_t code) {
    if (code != 0) {
        lines.append(QStringLiteral("  %1 = %2").arg(QLatin1String(name)).arg(code));
    }
}

QStringList extendedLines(const ExtendedProperties& e) {
    QStringList lines;
    appendPairs(lines, "phone", e.phones);
    appendPairs(lines, "email", e.emails);
    for (const MessengerEntry& m : e.messengers) {
        lines.append(QStringLiteral("  messenger:%1 = %2; %3")
                         .arg(printable(m.label), printable(m.type), printable(m.account)));
    }
    appendPairs(lines, "webpage", e.webPages);
    for (const ExtendedAddress& a : e.addresses) {
        QStringList parts(a.parts.begin(), a.parts.end());
        parts.append(QString::number(a.formatCode));
        lines.append(QStringLiteral("  address:%1 = %2")
                         .arg(printable(a.label), printable(parts.join(QStringLiteral("; ")))));
    }
    appendPairs(lines, "people", e.people);
    for (const ExtendedDate& d : e.dates) {
        lines.append(QStringLiteral("  date:%1 = %2").arg(printable(d.label), dateText(d.time)));
    }
    appendPairs(lines, "link", e.links);
    appendPairs(lines, "otherprop", e.otherProps);
    appendFormat(lines, "homeformat", e.homeAddressFormat);
    appendFormat(lines, "workformat", e.workAddressFormat);
    appendFormat(lines, "otherformat", e.otherAddressFormat);
    if (!e.image.isEmpty()) {
        lines.append(QStringLiteral("  image = ") + printable(e.image));
    }
    return lines;
}

}  // namespace

QString dateText(uint64_t time) {
    const QDate date = dateFromFileTime(time);
    return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd"))
                          : QStringLiteral("0x%1").arg(time, 16, 16, QLatin1Char('0'));
}

QString printable(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\') {
            out += QStringLiteral("\\\\");
        } else if (u == u'\t') {
            out += QStringLiteral("\\t");
        } else if (u == u'\n') {
            out += QStringLiteral("\\n");
        } else if (u == u'\r') {
            out += QStringLiteral("\\r");
        } else if (u < 0x20 || u == 0x7F) {
            out += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    return out;
}

QString listLine(const ListEntry& entry) {
    return QStringLiteral("%1\t%2\t%3\t%4")
        .arg(entry.oid)
        .arg(printable(entry.displayName), printable(entry.company), printable(entry.firstPhone));
}

QString describeRecord(const DbRecord& read, const QStringList& categoryNames,
                       const Locale& locale) {
    QStringList lines = {QStringLiteral("Oid %1").arg(read.oid)};
    QByteArray notes;
    for (const PropValue& value : read.props) {
        lines.append(QStringLiteral("  %1  %2  %3")
                         .arg(hex32(value.tag()), propertyName(value).leftJustified(16),
                              valueText(value, categoryNames)));
        if (value.tag() == kTagNotes) {
            notes = value.toBlob();
        }
    }
    const ParsedNotes parsed = parseNotes(notes, locale);
    const QString userNote = noteToText(stripBlock(notes, locale), locale);
    lines.append(QStringLiteral("User note:"));
    if (!userNote.isEmpty()) {
        lines.append(QStringLiteral("  ") + printable(userNote));
    }
    lines.append(QStringLiteral("Extended properties:"));
    lines += extendedLines(parsed.extended);
    lines.append(QStringLiteral("Checksum: ") + hex32(rawRecordChecksum(read)));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

}  // namespace kontavo
