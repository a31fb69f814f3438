#include "store/blockwriter.h"

#include <QStringList>
#include <initializer_list>

#include "store/blockescape.h"
#include "store/blockmarkers.h"
#include "store/pocketwordink.h"

namespace kontavo {

namespace {

// Builds the coded text of one paragraph from fixed bytes and strings.
class Line {
public:
    Line& bytes(std::initializer_list<uint8_t> codes) {
        for (uint8_t code : codes) {
            m_coded.append(char(code));
        }
        return *this;
    }
    // A string inside a section: reduced, escaped, coded.
    Line& field(QStringView text) {
        m_coded += ink::encodeText(prepareBlockText(text));
        return *this;
    }
    Line& raw(QStringView text) {
        m_coded += ink::encodeText(text);
        return *this;
    }
    QByteArray end() { return m_coded + ink::endOfParagraph(); }

private:
    QByteArray m_coded = QByteArray("\xE5\x01\x00\xE6\x08\x00", 6);
};

QByteArray markerLine(QStringView marker) {
    return Line()
        .bytes({0xE8, 0x07, 0x00, 0xE9, 0x01, 0xEA, 0x01})
        .raw(marker)
        .bytes({0xE8, 0x04, 0x00, 0xE9, 0x00, 0xEA, 0x00})
        .end();
}

QByteArray headerLine(QStringView keyword) {
    return Line().bytes({0xE8, 0x07, 0x00}).field(keyword).bytes({0x3A, 0xE8, 0x04, 0x00}).end();
}

// "[label: " with the label emphasised; the caller adds the values and "]".
Line entryStart(QStringView label) {
    Line line;
    line.bytes({0x5B, 0xE8, 0x07, 0x00}).field(label).bytes({0x3A, 0xE8, 0x04, 0x00, 0x20});
    return line;
}

// "[label: v1; v2; ...]"
QByteArray entryLine(QStringView label, const QStringList& values) {
    Line line = entryStart(label);
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0) {
            line.bytes({0x3B, 0x20});
        }
        line.field(values[i]);
    }
    return line.bytes({0x5D}).end();
}

QString dateText(FileTime time) {
    return QString::asprintf("%04i.%02i.%02i", fileTimeYear(time), fileTimeMonth(time),
                             fileTimeDay(time));
}

void addPairs(QList<QByteArray>& out, QStringView keyword, const QList<LabeledValue>& pairs) {
    if (pairs.isEmpty()) {
        return;
    }
    out.append(headerLine(keyword));
    for (const LabeledValue& pair : pairs) {
        out.append(entryLine(pair.label, {pair.value}));
    }
}

void addMessengers(QList<QByteArray>& out, const QList<MessengerEntry>& messengers) {
    if (messengers.isEmpty()) {
        return;
    }
    out.append(headerLine(u"Messenger"));
    for (const MessengerEntry& entry : messengers) {
        out.append(entryLine(entry.label, {entry.type, entry.account}));
    }
}

void addAddresses(QList<QByteArray>& out, const ExtendedProperties& props) {
    const std::pair<const char16_t*, uint32_t> standard[] = {
        {u"Home", props.homeAddressFormat},
        {u"Business", props.workAddressFormat},
        {u"Other", props.otherAddressFormat},
    };
    const bool anyStandard = props.homeAddressFormat != 0 || props.workAddressFormat != 0 ||
                             props.otherAddressFormat != 0;
    if (props.addresses.isEmpty() && !anyStandard) {
        return;
    }
    out.append(headerLine(u"Address"));
    for (const auto& [label, code] : standard) {
        if (code != 0) {
            out.append(entryLine(label, {QString::number(code)}));
        }
    }
    for (const ExtendedAddress& address : props.addresses) {
        QStringList values(address.parts.begin(), address.parts.end());
        values.append(QString::number(address.formatCode));
        out.append(entryLine(address.label, values));
    }
}

void addDates(QList<QByteArray>& out, const QList<ExtendedDate>& dates) {
    if (dates.isEmpty()) {
        return;
    }
    out.append(headerLine(u"Date"));
    for (const ExtendedDate& date : dates) {
        out.append(entryLine(date.label, {dateText(date.time)}));
    }
}

void addImage(QList<QByteArray>& out, const QString& image) {
    if (image.isEmpty()) {
        return;
    }
    out.append(headerLine(u"Image"));
    out.append(Line().bytes({0x5B}).field(image).bytes({0x5D}).end());
}

}  // namespace

QList<QByteArray> blockParagraphs(const ExtendedProperties& props) {
    QList<QByteArray> out{markerLine(kBlockStartMarker)};
    addPairs(out, u"Phone", props.phones);
    addPairs(out, u"Email", props.emails);
    addMessengers(out, props.messengers);
    addPairs(out, u"WebPage", props.webPages);
    addAddresses(out, props);
    addPairs(out, u"People", props.people);
    addDates(out, props.dates);
    addPairs(out, u"Link", props.links);
    addPairs(out, u"OtherProp", props.otherProps);
    addImage(out, props.image);
    out.append(markerLine(kBlockEndMarker));
    return out;
}

}  // namespace kontavo
