#include "comm/contacturis.h"

#include <QUrl>

namespace kontavo {

QString smsNumber(const QString& number) {
    QString kept;
    for (const QChar c : number) {
        if (c == u'+' || (c >= u'0' && c <= u'9')) {
            kept += c;
        }
    }
    return kept;
}

QString smsUri(const QString& number) {
    return QStringLiteral("sms:") + smsNumber(number);
}

QString telUri(const QString& number) {
    return QStringLiteral("tel:") + QString::fromLatin1(QUrl::toPercentEncoding(number, "+()*,"));
}

}  // namespace kontavo
