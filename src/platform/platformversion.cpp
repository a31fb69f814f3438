#include "platform/platformversion.h"

#include <QStringList>

namespace kontavo {

std::optional<PlatformVersion> PlatformVersion::parse(const QString& text) {
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() > 2) {
        return std::nullopt;
    }
    bool majorOk = false;
    bool minorOk = parts.size() == 1;
    const int major = parts[0].toInt(&majorOk);
    const int minor = parts.size() == 2 ? parts[1].toInt(&minorOk) : 0;
    if (!majorOk || !minorOk || major < 0 || minor < 0) {
        return std::nullopt;
    }
    return PlatformVersion{major, minor};
}

PlatformVersion PlatformVersion::current() {
    return parse(qEnvironmentVariable("KONTAVO_OS_VERSION")).value_or(PlatformVersion{});
}

}  // namespace kontavo
