#include "store/inkrewriter.h"

namespace kontavo::ink {

InkRewriter::InkRewriter(QByteArrayView doc, const Walk& walk)
    : m_doc(doc),
      m_walk(walk),
      m_dropped(walk.records.size(), false),
      m_replacements(walk.records.size()),
      m_inserted(walk.records.size() + 1) {}

void InkRewriter::drop(int recordIndex) {
    m_dropped[recordIndex] = true;
}

void InkRewriter::replace(int recordIndex, const QByteArray& bytes) {
    m_replacements[recordIndex] = bytes;
}

void InkRewriter::insertBefore(int recordIndex, const QByteArray& bytes) {
    m_inserted[recordIndex] += bytes;
}

int InkRewriter::find(uint8_t type, uint16_t id) const {
    for (int i = 0; i < m_walk.records.size(); ++i) {
        if (m_walk.records[i].type == type && m_walk.records[i].id == id) {
            return i;
        }
    }
    return -1;
}

QByteArray InkRewriter::result() const {
    QByteArray out = m_doc.first(kHeaderSize).toByteArray();
    for (int i = 0; i < m_walk.records.size(); ++i) {
        out += m_inserted[i];
        if (m_dropped[i]) {
            continue;
        }
        const Record& record = m_walk.records[i];
        out += m_replacements[i].isNull()
                   ? m_doc.sliced(record.offset, record.end() - record.offset).toByteArray()
                   : m_replacements[i];
    }
    out += m_inserted.last();
    out += m_doc.sliced(m_walk.end).toByteArray();
    return out;
}

}  // namespace kontavo::ink
