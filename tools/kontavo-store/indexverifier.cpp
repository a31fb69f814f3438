#include "indexverifier.h"

#include <algorithm>

namespace kontavo {

namespace {

QString hex(Oid oid) {
    return QStringLiteral("0x%1").arg(oid, 8, 16, QLatin1Char('0'));
}

bool holds(const QList<Oid>& sorted, Oid oid) {
    return std::binary_search(sorted.begin(), sorted.end(), oid);
}

}  // namespace

QStringList IndexVerifier::run(int sampleEvery) {
    const std::optional<QList<Oid>> database = m_reader.databaseOids();
    if (!database) {
        return {QStringLiteral("the contacts database cannot be read")};
    }
    checkOids(*database);
    checkChecksums();
    for (int i = 0; i < database->size(); i += std::max(1, sampleEvery)) {
        checkSample(database->at(i));
    }
    m_contacts = int(database->size());
    return m_differences;
}

void IndexVerifier::checkOids(const QList<Oid>& database) {
    const QList<Oid> indexed = m_index.allOids();
    for (int i = 1; i < indexed.size(); ++i) {
        if (indexed[i] == indexed[i - 1]) {
            differs(QStringLiteral("%1 is indexed more than once").arg(hex(indexed[i])));
        }
    }
    for (Oid oid : indexed) {
        if (!holds(database, oid)) {
            differs(QStringLiteral("%1 is indexed but not in the database").arg(hex(oid)));
        }
    }
    for (Oid oid : database) {
        if (!holds(indexed, oid)) {
            differs(QStringLiteral("%1 is not indexed").arg(hex(oid)));
        }
    }
}

void IndexVerifier::checkChecksums() {
    const bool scanned = m_reader.scanChecksums([this](Oid oid, uint32_t checksum) {
        const std::optional<uint32_t> stored = m_index.storedChecksum(oid);
        if (stored && *stored != checksum) {
            differs(QStringLiteral("%1 has checksum %2 in the index, %3 in the database")
                        .arg(hex(oid))
                        .arg(*stored, 8, 16, QLatin1Char('0'))
                        .arg(checksum, 8, 16, QLatin1Char('0')));
        }
    });
    if (!scanned) {
        differs(QStringLiteral("the contacts database cannot be read to its end"));
    }
}

void IndexVerifier::checkSample(Oid oid) {
    IndexedContact contact;
    ExtendedProperties stored;
    if (!m_reader.readForIndex(oid, contact) || !m_index.readExtended(oid, stored)) {
        return;  // reported above: not indexed, or gone meanwhile
    }
    if (stored != contact.record.extended) {
        differs(QStringLiteral("%1 has other extended properties in the index").arg(hex(oid)));
    }
    const SearchWords words = m_index.wordsOf(contact);
    for (const QString& word : words.plainWords()) {
        ++m_words;
        if (!holds(m_index.findWords(word), oid)) {
            differs(QStringLiteral("%1 is not found by the word \"%2\"").arg(hex(oid), word));
        }
    }
    for (const QString& key : words.groupWords()) {
        ++m_words;
        if (!holds(m_index.findGroupKey(key), oid)) {
            differs(QStringLiteral("%1 is not found by the group key \"%2\"").arg(hex(oid), key));
        }
    }
}

}  // namespace kontavo
