#include "card/filefilter.h"

namespace kontavo {

FileFilter FileFilter::parse(const QString& text) {
    FileFilter filter;
    const QStringList parts = text.split(QLatin1Char('|'));
    // The text ends with "|": the last part is empty and pairs up with nothing.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        Entry entry{parts[i], {}};
        for (const QString& extension : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            entry.extensions.append(extension.trimmed().toLower());
        }
        filter.m_entries.append(entry);
    }
    return filter;
}

bool FileFilter::matches(int index, const QString& fileName) const {
    if (index < 0 || index >= m_entries.size()) {
        return false;
    }
    const QStringList& extensions = m_entries[index].extensions;
    if (extensions.contains(QStringLiteral("*"))) {
        return true;
    }
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 && extensions.contains(fileName.mid(dot).toLower());
}

}  // namespace kontavo
