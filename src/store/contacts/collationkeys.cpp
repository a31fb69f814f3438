#include "store/contacts/collationkeys.h"

#include "platform/locale.h"

namespace kontavo {

QCollator listCollator(const Locale& locale) {
    QCollator collator(locale.qlocale());
    collator.setCaseSensitivity(Qt::CaseSensitive);
    return collator;
}

int CollationKeys::indexOf(const QString& text) {
    static const QString empty = QStringLiteral("");
    const QString& key = text.isNull() ? empty : text;
    const auto found = m_index.constFind(key);
    if (found != m_index.constEnd()) {
        return *found;
    }
    m_keys.append(m_collator.sortKey(key));
    m_index.insert(key, int(m_keys.size() - 1));
    return int(m_keys.size() - 1);
}

}  // namespace kontavo
