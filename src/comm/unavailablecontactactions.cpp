#include "comm/unavailablecontactactions.h"

#include "diag/errorlog.h"

namespace kontavo {

void UnavailableContactActions::callNumber(const QString&, DialMethod, bool) {
    report(QStringLiteral("call"));
}

void UnavailableContactActions::callWithAddIn(const QList<Oid>&) {
    report(QStringLiteral("add-in dialer"));
}

bool UnavailableContactActions::invokeAddIn(int, const QList<Oid>&) {
    report(QStringLiteral("add-in"));
    return false;
}

void UnavailableContactActions::sendEmail(const QString&) {
    report(QStringLiteral("e-mail"));
}

void UnavailableContactActions::sendSms(const QString&) {
    report(QStringLiteral("text message"));
}

void UnavailableContactActions::openUrl(const QString&) {
    report(QStringLiteral("web page"));
}

void UnavailableContactActions::openLinkedFile(const QString&) {
    report(QStringLiteral("linked file"));
}

int UnavailableContactActions::beamContacts(const QList<Oid>&) {
    report(QStringLiteral("beam"));
    return -1;
}

bool UnavailableContactActions::makeAppointment(const QString&, const QStringList&) {
    report(QStringLiteral("appointment"));
    return false;
}

void UnavailableContactActions::report(const QString& kind) {
    if (!m_reported.contains(kind)) {
        m_reported.insert(kind);
        logError(QStringLiteral("Contact action not available: ") + kind);
    }
}

}  // namespace kontavo
