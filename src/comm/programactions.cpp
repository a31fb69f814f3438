#include "comm/programactions.h"

#include <QUuid>
#include <QWidget>

#include "comm/contactaddins.h"
#include "comm/contacturis.h"
#include "comm/icalendar.h"
#include "comm/outbox.h"
#include "platform/devicefs.h"
#include "platform/launcher.h"
#include "platform/windowregistry.h"
#include "ui/messageboxes.h"
#include "ui/wndmessages.h"

namespace kontavo {

namespace {

constexpr int kAppointmentMinutes = 15;

// A new appointment starts at the next full hour (in the clock's own time
// zone).
QDateTime nextFullHour(const QDateTime& now) {
    QDateTime hour = now;
    hour.setTime(QTime(now.time().hour(), 0));
    return hour.addSecs(3600);
}

}  // namespace

ProgramContactActions::ProgramContactActions(Services services)
    : m_services(std::move(services)),
      m_dialer({m_services.launcher, m_services.sound, m_services.phoneApplication}) {
    m_watchTimer.setInterval(AppointmentWatcher::kPollMs);
    connect(&m_watchTimer, &QTimer::timeout, this, &ProgramContactActions::pollWatches);
}

ProgramContactActions::~ProgramContactActions() = default;

QDateTime ProgramContactActions::now() const {
    return m_services.clock ? m_services.clock() : QDateTime::currentDateTime();
}

void ProgramContactActions::callNumber(const QString& number, DialMethod method,
                                       bool launchPhoneAppFirst) {
    m_dialer.callNumber(m_services.owner, number, method, launchPhoneAppFirst);
}

void ProgramContactActions::callWithAddIn(const QList<Oid>& oids) {
    invokeAddIn(ContactAddIns::current().dialerCommand(), oids);
}

bool ProgramContactActions::invokeAddIn(int command, const QList<Oid>& oids) {
    return m_services.device != nullptr &&
           ContactAddIns::current().invoke(m_services.owner, command, oids, *m_services.device,
                                           m_services.windows);
}

void ProgramContactActions::sendEmail(const QString& address) {
    composeMail(*m_services.launcher, address);
}

void ProgramContactActions::sendSms(const QString& number) {
    openDocument(*m_services.launcher, smsUri(number));
}

void ProgramContactActions::openUrl(const QString& url) {
    if (!openDocument(*m_services.launcher, url)) {
        MessageBoxes::current().show(m_services.owner, QStringLiteral("Cannot find Iexplore.exe"),
                                     QString(), MessageBoxes::Icon::None);
    }
}

void ProgramContactActions::openLinkedFile(const QString& path) {
    const std::optional<QString> host =
        m_services.device != nullptr ? m_services.device->hostPath(path) : std::nullopt;
    if (host) {
        openDocument(*m_services.launcher, *host);
    }
}

int ProgramContactActions::beamContacts(const QList<Oid>& oids) {
    const Beam::Services beam{m_services.device, m_services.launcher, m_services.readContact,
                              m_services.beamSender};
    return Beam::beamContacts(oids, beam, now());
}

bool ProgramContactActions::makeAppointment(const QString& subject, const QStringList& bodyLines) {
    if (m_services.device == nullptr) {
        return false;
    }
    const QDateTime stamp = now();
    CalendarEvent event;
    event.uid = QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral("@kontavo");
    event.stamp = stamp;
    event.start = nextFullHour(stamp);
    event.durationMinutes = kAppointmentMinutes;
    event.summary = subject;
    event.descriptionLines = bodyLines;
    const Outbox::Written file = Outbox::write(*m_services.device, QStringLiteral("Appointment"),
                                               QStringLiteral("ics"), stamp, writeICalendar(event));
    if (file.result != Outbox::Result::Written) {
        return false;
    }
    const std::optional<qint64> pid = openDocument(*m_services.launcher, file.hostPath);
    if (!pid) {
        return false;
    }
    m_watches.push_back(std::make_unique<Watch>(calendarWatcher(), *pid));
    m_watchTimer.start();
    return true;
}

AppointmentWatcher ProgramContactActions::calendarWatcher() const {
    WindowRegistry* windows = m_services.windows;
    return AppointmentWatcher(
        [windows]() -> WindowHandle {
            return windows != nullptr ? windows->findWindow(
                                            QString::fromLatin1(AppointmentWatcher::kCalendarClass))
                                      : 0;
        },
        [windows](WindowHandle calendar) {
            windows->postMessage(calendar, {wm::kCommand, AppointmentWatcher::kCalendarCommand, 0});
        });
}

void ProgramContactActions::pollWatches() {
    std::erase_if(m_watches, [this](const std::unique_ptr<Watch>& watch) {
        return !watch->watcher.poll(watch->elapsed.elapsed(),
                                    m_services.launcher->isRunning(watch->displayPid));
    });
    if (m_watches.empty()) {
        m_watchTimer.stop();
    }
}

}  // namespace kontavo
