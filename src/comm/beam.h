#pragma once

#include <QDateTime>
#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

#include "comm/vcard.h"

namespace kontavo {

class DeviceFs;
class Launcher;

// Beaming contacts: they are written, each once and in the given order, as
// one vCard file in the outbox (Outbox) and handed to the sender program,
// which gets the file's host path as its last argument.
class Beam {
public:
    // Result codes of beamContacts(); the numbers are those of the
    // handheld's beaming steps.
    static constexpr int kDone = 0;
    static constexpr int kNoService = -1;   // no sender program or no contact reader
    static constexpr int kNoOutbox = -3;    // the outbox folder cannot be made
    static constexpr int kUnreadable = -7;  // a contact cannot be read
    static constexpr int kNotWritten = -8;  // the vCard file cannot be written
    static constexpr int kNotSent = -9;     // the sender cannot be started

    // The sender when KONTAVO_BEAM_COMMAND is not set.
    static QStringList defaultSender() { return {QStringLiteral("xdg-open")}; }
    // The sender KONTAVO_BEAM_COMMAND names: a program and its arguments,
    // split as a command line is (quotes group words; no shell is ever
    // involved); the default sender when it is not set.
    static QStringList configuredSender();

    struct Services {
        const DeviceFs* device = nullptr;
        Launcher* launcher = nullptr;
        // The contact as a card; nullopt when it cannot be read.
        std::function<std::optional<VCardContact>(Oid)> readContact;
        QStringList sender = defaultSender();
    };

    // Beams `oids`; 0 (and nothing done) for an empty list. A failing step
    // stops the beam and gives its code.
    static int beamContacts(const QList<Oid>& oids, const Services& services,
                            const QDateTime& now = QDateTime::currentDateTime());
};

}  // namespace kontavo
