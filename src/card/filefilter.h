#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kontavo {

// A file chooser's filter text: pairs of a description and an extension
// list, each followed by "|" ("Pictures|.jpg;.bmp|Sounds|.wav|"); the list
// is separated by ";", each extension with its leading "." (or "*" for every
// file).
class FileFilter {
public:
    struct Entry {
        QString description;
        QStringList extensions;  // with the leading "." (lower case), or "*"
    };

    static FileFilter parse(const QString& text);

    const QList<Entry>& entries() const { return m_entries; }
    // True when `fileName` matches entry `index`: its extension (the text
    // from the last ".", any case) is in the list, or the list holds "*". A
    // name without an extension matches only "*". An index out of range
    // matches nothing.
    bool matches(int index, const QString& fileName) const;

private:
    QList<Entry> m_entries;
};

}  // namespace kontavo
