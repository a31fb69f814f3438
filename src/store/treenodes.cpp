#include "store/treenodes.h"

namespace kontavo {

using namespace indexlayout;

uint32_t TreeNodes::nodeBytes(uint32_t node) const {
    return hasTail(node) || m_bytes.byte(node + kWideFlagAt) == 1 ? kTailNodeBytes : kNodeBytes;
}

bool TreeNodes::isNode(uint32_t node) const {
    return m_heap.holds(node, kNodeBytes) && m_heap.holds(node, nodeBytes(node));
}

QString TreeNodes::tail(uint32_t node) const {
    if (!hasTail(node)) {
        return QString();
    }
    const uint32_t at = field(node, kTailAt);
    QString text;
    for (uint32_t offset = at; m_heap.holds(offset & ~3u, 4); offset += 2) {
        const char16_t c = m_bytes.half(offset);
        if (c == 0) {
            return text;
        }
        text.append(QChar(c));
    }
    const_cast<CheckedBytes&>(m_bytes).setFault();
    return QString();
}

uint32_t TreeNodes::create(uint32_t parent, char16_t c, QStringView tail) {
    const uint32_t node = m_heap.allocate(tail.isEmpty() ? kNodeBytes : kTailNodeBytes);
    setField(node, kParentAt, parent);
    m_bytes.setHalf(node + kCharAt, c);
    if (!tail.isEmpty()) {
        const uint32_t text = m_heap.allocate(tailBytes(tail.size()));
        for (qsizetype i = 0; i < tail.size(); ++i) {
            m_bytes.setHalf(text + uint32_t(2 * i), tail[i].unicode());
        }
        m_bytes.setByte(node + kTailFlagAt, kTailFlag);
        setField(node, kTailAt, text);
    }
    return node;
}

void TreeNodes::dropTail(uint32_t node) {
    if (!hasTail(node)) {
        return;
    }
    const QString text = tail(node);
    m_heap.release(field(node, kTailAt), tailBytes(text.size()));
    m_bytes.setByte(node + kTailFlagAt, 0);
    m_bytes.setByte(node + kWideFlagAt, 1);
    setField(node, kTailAt, 0);
}

void TreeNodes::release(uint32_t node) {
    const uint32_t bytes = nodeBytes(node);
    dropTail(node);
    m_heap.release(node, bytes);
}

void TreeNodes::replaceChild(uint32_t parent, uint32_t rootAt, uint32_t node,
                             uint32_t replacement) {
    if (parent == 0) {
        m_bytes.setWord(rootAt, replacement);
        return;
    }
    for (uint32_t at : {kEqualAt, kLowerAt, kHigherAt}) {
        if (field(parent, at) == node) {
            setField(parent, at, replacement);
            return;
        }
    }
}

}  // namespace kontavo
