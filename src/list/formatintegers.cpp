#include "list/formatintegers.h"

namespace kontavo {

QString formatIntegers(const QString& format, std::initializer_list<int> values) {
    QString out;
    out.reserve(format.size() + 8);
    auto next = values.begin();
    for (qsizetype i = 0; i < format.size(); ++i) {
        const bool placeholder =
            format[i] == u'%' && i + 1 < format.size() && format[i + 1] == u'i';
        if (placeholder && next != values.end()) {
            out += QString::number(*next++);
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

}  // namespace kontavo
