#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

#include "comm/vcard.h"

namespace kontavo {

class ProgressSink;

// Writing contacts as a vCard file: the one way both the program (Tools >
// File > "Export vCards...") and kontavo-store export do it. UI thread only.
class VCardExport {
public:
    // The contact as a card; nullopt when it cannot be read.
    using Reader = std::function<std::optional<VCardContact>(Oid)>;

    struct Cards {
        QByteArray bytes;       // one card per contact read, in the given order
        int exported = 0;       // contacts written as cards
        QList<Oid> unreadable;  // contacts that could not be read
    };

    // The cards of `oids`; progress goes to `progress` (may be null): shown
    // with one step per contact and the text `caption`.
    static Cards collect(const QList<Oid>& oids, const Reader& reader, VCardVersion version,
                         const Locale& locale, ProgressSink* progress,
                         const QString& caption = QString());

    // Writes `bytes` through a temporary file renamed over `path` at the end,
    // so that a failed export leaves an existing file as it was. False with
    // the reason in `why`.
    static bool save(const QString& path, const QByteArray& bytes, QString* why);
};

}  // namespace kontavo
