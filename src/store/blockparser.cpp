#include "store/blockparser.h"

#include <QDate>

#include "store/blocktokenizer.h"

namespace kontavo {

namespace {

enum class Section {
    Phone,
    Email,
    Messenger,
    WebPage,
    Address,
    People,
    Date,
    Link,
    OtherProp,
    Image
};

std::optional<Section> sectionNamed(const QString& lowerName) {
    static const struct {
        const char16_t* name;
        Section section;
    } kSections[] = {
        {u"phone", Section::Phone},         {u"email", Section::Email},
        {u"messenger", Section::Messenger}, {u"webpage", Section::WebPage},
        {u"address", Section::Address},     {u"people", Section::People},
        {u"date", Section::Date},           {u"link", Section::Link},
        {u"otherprop", Section::OtherProp}, {u"image", Section::Image},
    };
    for (const auto& entry : kSections) {
        if (lowerName == QStringView(entry.name)) {
            return entry.section;
        }
    }
    return std::nullopt;
}

bool isAsciiDigits(QStringView text) {
    for (QChar c : text) {
        if (c < u'0' || c > u'9') {
            return false;
        }
    }
    return true;
}

// The decimal value of a non-empty run of ASCII digits that fits 32 bits.
std::optional<uint32_t> decimalCode(QStringView text) {
    if (text.isEmpty() || !isAsciiDigits(text)) {
        return std::nullopt;
    }
    bool ok = false;
    const uint32_t value = text.toUInt(&ok);
    return ok ? std::optional<uint32_t>(value) : std::nullopt;
}

// A label must begin with a letter or a digit.
bool readLabel(BlockTokenizer& tokens, QString& label) {
    label = tokens.readValue();
    return !label.isEmpty() && (label[0].isLetter() || label[0].isDigit()) && tokens.expect(u':');
}

// "YYYY.MM.DD" (the two separators may be anything) as a FILETIME.
std::optional<FileTime> parseDate(QStringView text) {
    if (text.size() != 10 || !isAsciiDigits(text.mid(0, 4)) || !isAsciiDigits(text.mid(5, 2)) ||
        !isAsciiDigits(text.mid(8, 2))) {
        return std::nullopt;
    }
    return fileTimeFromDate(
        QDate(text.mid(0, 4).toInt(), text.mid(5, 2).toInt(), text.mid(8, 2).toInt()));
}

class EntryParser {
public:
    EntryParser(BlockTokenizer& tokens, ExtendedProperties& props)
        : m_tokens(tokens), m_props(props) {}

    // Parses one entry after its "[": false when it is malformed before its
    // closing bracket was consumed.
    bool parse(Section section);

private:
    // "label: value]"; false when malformed.
    bool labelAndValue(QString& label, QString& value);
    bool pair(QList<LabeledValue>& list);
    bool date();
    bool messenger();
    bool address();
    void addAddress(const QString& label, const QStringList& values);
    bool image();

    BlockTokenizer& m_tokens;
    ExtendedProperties& m_props;
};

bool EntryParser::parse(Section section) {
    switch (section) {
        case Section::Phone:
            return pair(m_props.phones);
        case Section::Email:
            return pair(m_props.emails);
        case Section::WebPage:
            return pair(m_props.webPages);
        case Section::People:
            return pair(m_props.people);
        case Section::Link:
            return pair(m_props.links);
        case Section::OtherProp:
            return pair(m_props.otherProps);
        case Section::Messenger:
            return messenger();
        case Section::Address:
            return address();
        case Section::Date:
            return date();
        case Section::Image:
            return image();
    }
    return false;
}

bool EntryParser::labelAndValue(QString& label, QString& value) {
    if (!readLabel(m_tokens, label)) {
        return false;
    }
    value = m_tokens.readValue();
    return m_tokens.expect(u']');
}

bool EntryParser::pair(QList<LabeledValue>& list) {
    QString label;
    QString value;
    if (!labelAndValue(label, value)) {
        return false;
    }
    if (!value.isEmpty()) {
        list.append({label, value});
    }
    return true;
}

bool EntryParser::date() {
    QString label;
    QString value;
    if (!labelAndValue(label, value)) {
        return false;
    }
    // An impossible date drops the entry without failing it.
    if (const auto time = parseDate(value)) {
        m_props.dates.append({label, *time});
    }
    return true;
}

bool EntryParser::messenger() {
    QString label;
    if (!readLabel(m_tokens, label)) {
        return false;
    }
    const QString type = m_tokens.readValue();
    if (!m_tokens.expect(u';')) {
        return false;
    }
    const QString account = m_tokens.readValue();
    if (!m_tokens.expect(u']')) {
        return false;
    }
    if (!account.isEmpty()) {
        m_props.messengers.append({label, account, type});
    }
    return true;
}

bool EntryParser::address() {
    QString label;
    if (!readLabel(m_tokens, label)) {
        return false;
    }
    QStringList values{m_tokens.readValue()};
    while (m_tokens.expect(u';')) {
        if (values.size() == ExtendedAddress::kSlotCount + 1) {
            return false;
        }
        values.append(m_tokens.readValue());
    }
    if (!m_tokens.expect(u']')) {
        return false;
    }
    addAddress(label, values);
    return true;
}

void EntryParser::addAddress(const QString& label, const QStringList& values) {
    if (values.size() == 1) {
        const auto code = decimalCode(values[0]);
        uint32_t* target = nullptr;
        if (label == u"Home") {
            target = &m_props.homeAddressFormat;
        } else if (label == u"Business") {
            target = &m_props.workAddressFormat;
        } else if (label == u"Other") {
            target = &m_props.otherAddressFormat;
        }
        if (code && target) {
            *target = *code;
            return;
        }
    }
    ExtendedAddress address;
    address.label = label;
    for (int slot = 0; slot < ExtendedAddress::kSlotCount && slot < values.size(); ++slot) {
        address.parts[size_t(slot)] = values[slot];
    }
    if (values.size() > ExtendedAddress::kSlotCount) {
        const QString& text = values[ExtendedAddress::kSlotCount];
        const auto code = decimalCode(text);
        if (!text.isEmpty() && !code) {
            return;  // a format code that is not a number spoils the entry
        }
        address.formatCode = code.value_or(0);
    }
    if (!address.allSlotsEmpty()) {
        m_props.addresses.append(address);
    }
}

bool EntryParser::image() {
    const QString value = m_tokens.readValue();
    if (!m_tokens.expect(u']')) {
        return false;
    }
    m_props.image = value;
    return true;
}

// The entries of one section; false when the block cannot be read on.
bool parseEntries(BlockTokenizer& tokens, Section section, ExtendedProperties& props) {
    EntryParser entries(tokens, props);
    for (;;) {
        tokens.skipSpace();
        if (!tokens.expect(u'[')) {
            return true;
        }
        if (!entries.parse(section) && !tokens.skipPast(u']')) {
            return false;
        }
    }
}

}  // namespace

std::optional<ExtendedProperties> parseBlockContent(QStringView content) {
    BlockTokenizer tokens(content);
    ExtendedProperties props;
    tokens.skipSpace();
    while (!tokens.atEnd()) {
        if (!tokens.nextBeginsWithLetter()) {
            return std::nullopt;
        }
        const QString name = tokens.readValue();
        if (name.isEmpty() || !tokens.expect(u':')) {
            return std::nullopt;
        }
        const auto section = sectionNamed(name.toLower());
        if (!section || !parseEntries(tokens, *section, props)) {
            return std::nullopt;
        }
        tokens.skipSpace();
    }
    return props;
}

}  // namespace kontavo
