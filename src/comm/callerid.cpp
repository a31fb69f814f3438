#include "comm/callerid.h"

#include <QFile>

#include "diag/resources.h"
#include "platform/devicefs.h"
#include "platform/launcher.h"
#include "platform/privatefiles.h"
#include "platform/windowregistry.h"
#include "store/settings/settingsstore.h"
#include "ui/messageboxes.h"

namespace kontavo {

namespace {

constexpr QStringView kStoppedCaption = u"Tarnwel Caller ID";

}  // namespace

bool CallerIdCompanion::isRunning() const {
    return m_services.windows->findWindow(kWindowClass.toString()) != 0;
}

QString CallerIdCompanion::programPath() const {
    const QString program = m_services.settings->get(settings::kProgramPath);
    return program.left(program.lastIndexOf(u'\\') + 1) + kProgramName.toString();
}

QString CallerIdCompanion::hostProgram() const {
    QString path = programPath();
    path.replace(u'\\', u'/');
    return path;
}

bool CallerIdCompanion::isAvailable() const {
    return isRunning() || (QFile::exists(hostProgram()) && m_services.device->isPhoneDevice());
}

bool CallerIdCompanion::recordState() {
    const bool running = isRunning();
    m_services.settings->set(settings::kCallerIdState, running ? 1 : 0);
    return running;
}

CallerIdCompanion::Outcome CallerIdCompanion::apply(bool enabled, QWidget* dialog) {
    const bool running = isRunning();
    const QString program = hostProgram();
    const int32_t state = m_services.settings->get(settings::kCallerIdState);
    if (state == 1 && !enabled && running) {
        if (!m_services.launcher->start(program, {kShutdownArgument.toString()})) {
            MessageBoxes::current().show(dialog, QStringLiteral("Error while unloading CallerID"),
                                         QString(), MessageBoxes::Icon::None);
            return Outcome::StopFailed;
        }
        m_services.device->removeFile(shortcutPath());
        m_services.settings->set(settings::kCallerIdState, 0);
        MessageBoxes::current().show(dialog, loadString(kStoppedString), kStoppedCaption.toString(),
                                     MessageBoxes::Icon::Information);
        return Outcome::Stopped;
    }
    if (state == 0 && enabled && !running) {
        if (!m_services.launcher->start(program, {})) {
            MessageBoxes::current().show(dialog, QStringLiteral("Error while loading CallerID"),
                                         QString(), MessageBoxes::Icon::None);
            return Outcome::StartFailed;
        }
        writeShortcut();
        m_services.settings->set(settings::kCallerIdState, 1);
        return Outcome::Started;
    }
    return Outcome::Unchanged;
}

QString CallerIdCompanion::shortcutPath() const {
    return DeviceFs::join(DeviceFs::startupFolder(), kShortcutName.toString());
}

// The entry starts the program: a double quote, its path, a double quote.
bool CallerIdCompanion::writeShortcut() const {
    const DeviceFs& device = *m_services.device;
    const std::optional<QString> host = device.hostPath(shortcutPath());
    if (!host || !device.createFolder(DeviceFs::startupFolder()) || !createPrivateFile(*host)) {
        return false;
    }
    QFile file(*host);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    const QString entry =
        QStringLiteral("[Desktop Entry]\nType=Application\nName=CallerID\nExec=\"%1\"\n")
            .arg(hostProgram());
    return file.write(entry.toUtf8()) >= 0 && file.flush();
}

}  // namespace kontavo
