#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

#include "comm/appointmentwatcher.h"
#include "comm/beam.h"
#include "comm/contactactions.h"
#include "comm/dialer.h"

class QWidget;

namespace kontavo {

class DeviceFs;
class Launcher;
class Sound;
class WindowRegistry;

// The program's contact actions, each handed to a program or service of the
// desktop (docs/actions.md):
// - calls: the Dialer (phone service `xdg-open tel:...`, or touch tones);
// - e-mail: `xdg-email ADDRESS` (composeMail); SMS: `xdg-open sms:DIGITS`;
// - web pages: `xdg-open URL` with the URL as it stands; when that cannot
//   be started, the message box "Cannot find Iexplore.exe";
// - linked files: `xdg-open HOSTPATH` of the device path;
// - beaming: Beam, to the configured sender;
// - appointments: an iCalendar file in the outbox opened with `xdg-open`,
//   watched for the calendar window while it is shown.
// Nothing is reported when a program cannot be started, except for the
// browser. The add-ins (the dialer among them) are those of the process's
// table (ContactAddIns::current()); a call through the dialer without one
// does nothing.
//
// The services must outlive the object. UI thread only.
class ProgramContactActions final : public QObject, public ContactActions {
    Q_OBJECT
public:
    struct Services {
        QWidget* owner = nullptr;           // parent of the countdown and the message box
        Launcher* launcher = nullptr;       // required
        Sound* sound = nullptr;             // required for tones
        const DeviceFs* device = nullptr;   // required for files, beaming, appointments
        WindowRegistry* windows = nullptr;  // optional: the calendar is not watched
        std::function<std::optional<VCardContact>(Oid)> readContact;  // for beaming
        QString phoneApplication;  // started before some calls; may be empty
        QStringList beamSender = Beam::defaultSender();
        std::function<QDateTime()> clock;  // optional: the current time
    };

    explicit ProgramContactActions(Services services);
    ~ProgramContactActions() override;

    void callNumber(const QString& number, DialMethod method, bool launchPhoneAppFirst) override;
    void callWithAddIn(const QList<Oid>& oids) override;
    bool invokeAddIn(int command, const QList<Oid>& oids) override;
    void sendEmail(const QString& address) override;
    void sendSms(const QString& number) override;
    void openUrl(const QString& url) override;
    void openLinkedFile(const QString& path) override;
    int beamContacts(const QList<Oid>& oids) override;
    bool makeAppointment(const QString& subject, const QStringList& bodyLines) override;

    // How many appointments are still watched for the calendar.
    int watchedAppointments() const { return int(m_watches.size()); }

private:
    // One appointment being shown: its watcher, the process showing it and
    // the time since it started.
    struct Watch {
        Watch(AppointmentWatcher w, qint64 pid) : watcher(std::move(w)), displayPid(pid) {
            elapsed.start();
        }
        AppointmentWatcher watcher;
        qint64 displayPid = 0;
        QElapsedTimer elapsed;
    };

    QDateTime now() const;
    AppointmentWatcher calendarWatcher() const;
    void pollWatches();

    Services m_services;
    Dialer m_dialer;
    std::vector<std::unique_ptr<Watch>> m_watches;
    QTimer m_watchTimer;
};

}  // namespace kontavo
