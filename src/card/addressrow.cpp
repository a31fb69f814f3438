#include "card/addressrow.h"

#include "card/addressformattable.h"

namespace kontavo {

bool AddressRow::applyFormat(int index, const AddressFormatTable& table) {
    const int resolved = table.resolveIndex(index);
    const AddressFormat* format = table.lookup(resolved);
    if (!format || resolved == m_format) {
        return false;
    }
    m_format = resolved;
    m_countryName = format->name;
    m_partLabel = format->partLabel;
    m_partOrder = format->partOrder;
    m_lines = layoutOrder(*format);
    // Rows built from stored data get their format before their values, so a
    // stored country text is only replaced when the user picks a format.
    if (!m_values[kSlotCountry].isEmpty()) {
        m_values[kSlotCountry] = format->name;
    }
    return true;
}

QString AddressRow::lineText(int line) const {
    return lineIsHint(line) ? lineLabel(line) : m_values[m_lines[line]];
}

void AddressRow::commitLine(int line, const QString& text) {
    m_values[m_lines[line]] = text == lineLabel(line) ? QString() : text;
}

std::optional<int> AddressRow::nextLine(int line) const {
    return line + 1 < lineCount() ? std::optional<int>(line + 1) : std::nullopt;
}

std::optional<int> AddressRow::previousLine(int line) const {
    return line > 0 ? std::optional<int>(line - 1) : std::nullopt;
}

}  // namespace kontavo
