#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "card/addressformat.h"

namespace kontavo {

class AddressFormatTable;

// One address row of the edit form: its five values, its format and the
// lines it shows, one per used slot in layout order. An empty line shows the
// part's label as a hint. A plain value; the address block owns its rows.
class AddressRow {
public:
    // A new row has no format (-1) and no lines until a format is applied.
    AddressRow() = default;

    int format() const { return m_format; }
    // The country name of the applied format.
    const QString& countryName() const { return m_countryName; }

    // Applies the format at `index` (the table default when `index` is outside
    // the table; nothing changes when that fails too or when the resolved
    // index is the current one). Copies the format's name, labels and orders,
    // rebuilds the lines, and replaces a non-empty country value with the new
    // country name. Returns true when the format changed.
    bool applyFormat(int index, const AddressFormatTable& table);

    const AddressParts& values() const { return m_values; }
    // Precondition: 0 <= slot < kAddressSlotCount.
    void setValue(int slot, const QString& value) { m_values[slot] = value; }

    // Lines: 0 <= line < lineCount() for the accessors below.
    int lineCount() const { return int(m_lines.size()); }
    int lineSlot(int line) const { return m_lines[line]; }
    const QString& lineLabel(int line) const { return m_partLabel[m_lines[line]]; }
    // Whether the line is drawn as a hint: its value is empty.
    bool lineIsHint(int line) const { return m_values[m_lines[line]].isEmpty(); }
    // What the line shows, and what editing it starts with: the value, or the
    // part's label when the value is empty.
    QString lineText(int line) const;
    // Stores an edited line: a text that is empty or equal to the part's label
    // stores an empty value.
    void commitLine(int line, const QString& text);
    // The neighbouring line within this row; nullopt past either end.
    std::optional<int> nextLine(int line) const;
    std::optional<int> previousLine(int line) const;

private:
    int m_format = -1;
    QString m_countryName;
    std::array<QString, kAddressSlotCount> m_partLabel;
    std::array<int, kAddressSlotCount> m_partOrder{-1, -1, -1, -1, -1};
    AddressParts m_values;
    QList<int> m_lines;
};

}  // namespace kontavo
