#include "store/contacts/collationkeys.h"

#include <algorithm>
#include <numeric>

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

std::vector<int> CollationKeys::ranks() const {
    std::vector<int> byKey(size_t(m_keys.size()));
    std::iota(byKey.begin(), byKey.end(), 0);
    std::sort(byKey.begin(), byKey.end(), [this](int a, int b) { return compare(a, b) < 0; });
    std::vector<int> ranks(byKey.size(), 0);
    int rank = 0;
    for (size_t i = 0; i < byKey.size(); ++i) {
        if (i > 0 && compare(byKey[i - 1], byKey[i]) != 0) {
            ++rank;
        }
        ranks[size_t(byKey[i])] = rank;
    }
    return ranks;
}

}  // namespace kontavo
