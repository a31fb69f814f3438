#include "card/leadingnumber.h"

#include <algorithm>
#include <limits>

namespace kontavo {

int leadingNumber(QStringView text) {
    qsizetype pos = 0;
    while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t')) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    constexpr int64_t kLimit = int64_t(std::numeric_limits<int>::max()) + 1;
    int64_t value = 0;
    for (; pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9'; ++pos) {
        value = std::min(kLimit, value * 10 + (text[pos].unicode() - u'0'));
    }
    value = negative ? -value : std::min(value, kLimit - 1);
    return int(value);
}

}  // namespace kontavo
