#include "platform/launcher.h"

#include <QUrl>

namespace kontavo {

std::optional<qint64> openDocument(Launcher& launcher, const QString& target) {
    if (target.isEmpty() || target.startsWith(QLatin1Char('-'))) {
        return std::nullopt;
    }
    return launcher.start(QString::fromLatin1(kOpenProgram), {target});
}

bool composeMail(Launcher& launcher, const QString& address) {
    const bool plain = address.contains(QLatin1Char('@')) &&
                       !address.startsWith(QLatin1Char('-')) &&
                       !address.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive);
    const QString argument = plain ? address : mailtoUri(address);
    return launcher.start(QString::fromLatin1(kMailProgram), {argument}).has_value();
}

QString mailtoUri(const QString& address) {
    return QStringLiteral("mailto:") + QString::fromLatin1(QUrl::toPercentEncoding(address, "@"));
}

}  // namespace kontavo
