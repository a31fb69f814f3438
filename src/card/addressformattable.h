#pragma once

#include <QList>
#include <QStringList>

#include "card/addressformat.h"

namespace kontavo {

// The per-country address formats in table order and the default format.
// Every address row carries an index into this table; a stored index outside
// it stands for the default. Immutable once built, so thread-safe.
class AddressFormatTable {
public:
    // The shipped table: this many string-table entries from kFirstStringId
    // (reserved "rez" entries follow them and are never read), each read up
    // to kMaxEntryLength characters.
    static constexpr int kEntryCount = 59;
    static constexpr int kFirstStringId = 42000;
    static constexpr int kMaxEntryLength = 500;

    // Parses the entry texts in order, leaving rejected ones out (the
    // following entries move up). The default is the first entry whose code
    // equals `countryCode`; entries with code 0 never match; without a match
    // it is the last entry (-1 for an empty table).
    AddressFormatTable(const QStringList& entryTexts, int countryCode);
    // The shipped entries of the string table.
    static AddressFormatTable fromStringTable(int countryCode);
    // The process-wide table, built on first use with the user locale's
    // country code; a change of the regional settings counts from the next
    // start.
    static const AddressFormatTable& instance();

    int count() const { return int(m_formats.size()); }
    // The entry at `index`, or nullptr outside 0..count()-1.
    const AddressFormat* lookup(int index) const;
    // The entry at `index`, else the default entry, else nullptr.
    const AddressFormat* lookupOrDefault(int index) const;
    // The index of `index` when it is inside the table, else the default.
    int resolveIndex(int index) const;
    int defaultIndex() const { return m_defaultIndex; }
    // The country names in table order, for the format chooser.
    QStringList countryNames() const;

    // The address on one line in the format at `index` (the default format
    // when that is outside the table; empty when there is none).
    QString oneLine(const AddressParts& parts, int index) const;

private:
    QList<AddressFormat> m_formats;
    int m_defaultIndex = -1;
};

}  // namespace kontavo
