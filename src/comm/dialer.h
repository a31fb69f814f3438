#pragma once

#include <QString>

#include "comm/dialmethod.h"

class QWidget;

namespace kontavo {

class Launcher;
class Sound;

// Dials a number (CallNumber): through the phone service, which here is
// the desktop's handler of tel URIs (`xdg-open tel:NUMBER`), or as touch
// tones after the countdown window. The add-in dialer does not come here.
// The launcher and the sound must outlive the dialer. UI thread only.
class Dialer {
public:
    struct Services {
        Launcher* launcher = nullptr;  // required
        Sound* sound = nullptr;        // required for tones
        // The phone application started before a call when asked (the
        // handheld's "cprog.exe"): a program started without arguments.
        // Empty: there is none, and nothing is started.
        QString phoneApplication;
    };

    explicit Dialer(Services services) : m_services(std::move(services)) {}

    // JustCall: starts the phone application first when asked (a failure
    // is ignored), then hands the number, formatting characters included,
    // to the phone service; false when the service could not be reached
    // (nothing is shown). Sound: shows the countdown window modally over
    // `owner` and plays the number when it ends; true. Other methods dial
    // nothing: false.
    bool callNumber(QWidget* owner, const QString& number, DialMethod method,
                    bool launchPhoneAppFirst);

private:
    bool phoneServiceCall(const QString& number, bool launchPhoneAppFirst);
    void toneCall(QWidget* owner, const QString& number);

    Services m_services;
};

}  // namespace kontavo
