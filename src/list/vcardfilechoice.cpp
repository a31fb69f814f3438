#include "list/vcardfilechoice.h"

#include <QDir>
#include <QFileInfo>

namespace kontavo {

QStringList VCardFileChoice::files() const {
    QDir dir(m_folder);
    QStringList names = dir.entryList({QStringLiteral("*.vcf"), QStringLiteral("*.vcard")},
                                      QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
    return names;
}

std::optional<QString> VCardFileChoice::resolve(const QString& text) const {
    const QString name = text.trimmed();
    if (name.isEmpty()) {
        return std::nullopt;
    }
    QString path = QDir::isAbsolutePath(name) ? name : QDir(m_folder).filePath(name);
    if (m_mode == Mode::Save && QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".vcf");
    }
    if (m_mode == Mode::Open && !QFileInfo(path).isFile()) {
        return std::nullopt;
    }
    return QDir::cleanPath(path);
}

}  // namespace kontavo
