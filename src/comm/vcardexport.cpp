#include "comm/vcardexport.h"

#include <QSaveFile>

#include "store/contacts/progresssink.h"

namespace kontavo {

VCardExport::Cards VCardExport::collect(const QList<Oid>& oids, const Reader& reader,
                                        VCardVersion version, const Locale& locale,
                                        ProgressSink* progress, const QString& caption) {
    Cards cards;
    if (progress != nullptr && !oids.isEmpty()) {
        progress->setRange(0, int(oids.size()));
        progress->setStep(1);
        progress->setText(caption);
        progress->show();
    }
    for (const Oid oid : oids) {
        if (const std::optional<VCardContact> contact = reader(oid)) {
            cards.bytes += writeVCard(*contact, locale, version);
            ++cards.exported;
        } else {
            cards.unreadable.append(oid);
        }
        if (progress != nullptr) {
            progress->stepOnce();
        }
    }
    if (progress != nullptr && !oids.isEmpty()) {
        progress->close();
    }
    return cards;
}

bool VCardExport::save(const QString& path, const QByteArray& bytes, QString* why) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *why = file.errorString();
        return false;
    }
    return true;
}

}  // namespace kontavo
