#include "diag/resources.h"

#include <QDir>
#include <QFile>

#include "diag/errorlog.h"
#include "diag/fatal.h"
#include "diag/stringtable.h"

namespace kontavo {

namespace {

const StringTable& table() {
    static const StringTable instance = [] {
        QFile file(QStringLiteral(":/kontavo/strings/strings.txt"));
        return file.open(QIODevice::ReadOnly) ? StringTable::parse(file.readAll()) : StringTable();
    }();
    return instance;
}

std::optional<QString> resourcePath(const QString& type, int id) {
    const QString folder = QStringLiteral(":/kontavo/") + type;
    const QString name = QString::number(id);
    if (QFile::exists(folder + QLatin1Char('/') + name)) {
        return folder + QLatin1Char('/') + name;
    }
    const QStringList matches = QDir(folder).entryList({name + QStringLiteral(".*")}, QDir::Files);
    if (matches.isEmpty()) {
        return std::nullopt;
    }
    return folder + QLatin1Char('/') + matches.first();
}

}  // namespace

std::optional<QByteArray> loadResource(const QString& type, int id) {
    const auto path = resourcePath(type, id);
    if (!path) {
        return std::nullopt;
    }
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
}

bool hasResource(const QString& type, int id) { return resourcePath(type, id).has_value(); }

QString loadString(int id) {
    if (const auto text = table().find(id)) {
        return *text;
    }
    logError(QStringLiteral("Resource loading fail (id: %1 hInst: %2)")
                 .arg(id)
                 .arg(moduleHandle(), 0, 16),
             "Str", "", 170);
    return QString();
}

QString loadStringStrict(int id) {
    if (const auto text = table().find(id)) {
        return *text;
    }
    raiseFatal(FatalCode::ResourceLoadingFailed, uint32_t(id));
}

bool hasString(int id) { return table().find(id).has_value(); }

}  // namespace kontavo
