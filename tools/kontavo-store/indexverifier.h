#pragma once

#include <QStringList>

#include "store/contacts/contactreader.h"
#include "store/index/pimindex.h"

namespace kontavo {

// Compares the open index with the contacts database: every contact indexed
// once, no indexed Oid the database lacks, every stored checksum equal to
// the record's, and for a sample of contacts their stored properties and
// every word they are filed under found again. Reads only.
class IndexVerifier {
public:
    IndexVerifier(PimIndex& index, ContactReader& reader) : m_index(index), m_reader(reader) {}

    // Runs every check, sampling every `sampleEvery`-th contact for the
    // words; one line per difference (empty when the index agrees).
    QStringList run(int sampleEvery);
    int contactsChecked() const { return m_contacts; }
    int wordsChecked() const { return m_words; }

private:
    void checkOids(const QList<Oid>& database);
    void checkChecksums();
    void checkSample(Oid oid);
    void differs(const QString& line) { m_differences.append(line); }

    PimIndex& m_index;
    ContactReader& m_reader;
    QStringList m_differences;
    int m_contacts = 0;
    int m_words = 0;
};

}  // namespace kontavo
