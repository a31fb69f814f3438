#include "comm/beam.h"

#include <QProcess>
#include <QSet>

#include "comm/outbox.h"
#include "platform/launcher.h"

namespace kontavo {

QStringList Beam::configuredSender() {
    if (!qEnvironmentVariableIsSet("KONTAVO_BEAM_COMMAND")) {
        return defaultSender();
    }
    return QProcess::splitCommand(qEnvironmentVariable("KONTAVO_BEAM_COMMAND"));
}

int Beam::beamContacts(const QList<Oid>& oids, const Services& services, const QDateTime& now) {
    if (oids.isEmpty()) {
        return kDone;
    }
    if (services.sender.isEmpty() || services.sender.front().isEmpty() || !services.readContact ||
        services.device == nullptr || services.launcher == nullptr) {
        return kNoService;
    }
    QByteArray cards;
    QSet<Oid> seen;
    for (const Oid oid : oids) {
        if (seen.contains(oid)) {
            continue;
        }
        seen.insert(oid);
        const std::optional<VCardContact> contact = services.readContact(oid);
        if (!contact) {
            return kUnreadable;
        }
        cards += writeVCard(*contact);
    }
    const Outbox::Written file = Outbox::write(*services.device, QStringLiteral("Contacts"),
                                               QStringLiteral("vcf"), now, cards);
    if (file.result == Outbox::Result::NoFolder) {
        return kNoOutbox;
    }
    if (file.result != Outbox::Result::Written) {
        return kNotWritten;
    }
    const QStringList arguments = services.sender.mid(1) + QStringList{file.hostPath};
    return services.launcher->start(services.sender.front(), arguments) ? kDone : kNotSent;
}

}  // namespace kontavo
