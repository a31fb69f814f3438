#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include "store/pocketwordink.h"

namespace kontavo::ink {

// Builds a new document from a walked one, record by record: the header and
// the left-over bytes after the last record are copied; each record is
// copied, dropped or replaced, and bytes can be inserted before any record
// or at the end. Holds views: the document must outlive the rewriter.
class InkRewriter {
public:
    InkRewriter(QByteArrayView doc, const Walk& walk);

    void drop(int recordIndex);
    void replace(int recordIndex, const QByteArray& bytes);
    // recordIndex == number of records inserts after the last record.
    void insertBefore(int recordIndex, const QByteArray& bytes);
    // Index of the first record of `type` with `id`, or -1.
    int find(uint8_t type, uint16_t id) const;

    QByteArray result() const;

private:
    QByteArrayView m_doc;
    const Walk& m_walk;
    QList<bool> m_dropped;
    QList<QByteArray> m_replacements;  // null = unchanged
    QList<QByteArray> m_inserted;      // one more than there are records
};

}  // namespace kontavo::ink
