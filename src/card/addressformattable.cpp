#include "card/addressformattable.h"

#include "diag/resources.h"
#include "platform/locale.h"

namespace kontavo {

AddressFormatTable::AddressFormatTable(const QStringList& entryTexts, int countryCode) {
    for (const QString& text : entryTexts) {
        if (auto format = parseAddressFormat(QStringView(text).left(kMaxEntryLength))) {
            m_formats.append(std::move(*format));
        }
    }
    m_defaultIndex = count() - 1;
    for (int i = 0; i < count(); ++i) {
        if (m_formats[i].code != 0 && m_formats[i].code == countryCode) {
            m_defaultIndex = i;
            break;
        }
    }
}

AddressFormatTable AddressFormatTable::fromStringTable(int countryCode) {
    QStringList texts;
    for (int i = 0; i < kEntryCount; ++i) {
        texts.append(loadString(kFirstStringId + i));
    }
    return AddressFormatTable(texts, countryCode);
}

const AddressFormatTable& AddressFormatTable::instance() {
    static const AddressFormatTable table = fromStringTable(Locale::user().countryCode());
    return table;
}

const AddressFormat* AddressFormatTable::lookup(int index) const {
    return index >= 0 && index < count() ? &m_formats[index] : nullptr;
}

const AddressFormat* AddressFormatTable::lookupOrDefault(int index) const {
    return lookup(resolveIndex(index));
}

int AddressFormatTable::resolveIndex(int index) const {
    return lookup(index) ? index : m_defaultIndex;
}

QStringList AddressFormatTable::countryNames() const {
    QStringList names;
    for (const AddressFormat& format : m_formats) {
        names.append(format.name);
    }
    return names;
}

QString AddressFormatTable::oneLine(const AddressParts& parts, int index) const {
    const AddressFormat* format = lookupOrDefault(index);
    return format ? joinAddress(*format, parts) : QString();
}

}  // namespace kontavo
