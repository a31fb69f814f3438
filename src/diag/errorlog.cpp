#include "diag/errorlog.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QMutex>

#include "diag/fatal.h"
#include "platform/ansicodec.h"
#include "platform/devicefs.h"
#include "platform/locale.h"
#include "platform/platformerrors.h"
#include "platform/privatefiles.h"

namespace kontavo {

namespace {

struct LogState {
    QMutex mutex;
    QString executablePath;
    const DeviceFs* device = nullptr;
    const Locale* locale = nullptr;
};

LogState& state() {
    static LogState instance;
    return instance;
}

QString deviceLogPath(const LogState& s) {
    if (s.device == nullptr) {
        return QString();
    }
    return s.device->hostPath(QStringLiteral("\\error.log")).value_or(QString());
}

// Opens the log for appending, preferring the file next to the executable.
bool openLog(const LogState& s, QFile& file) {
    if (!s.executablePath.isEmpty()) {
        file.setFileName(s.executablePath + QStringLiteral(".log"));
        if (file.open(QIODevice::WriteOnly | QIODevice::Append)) {
            return true;
        }
    }
    const QString fallback = deviceLogPath(s);
    if (fallback.isEmpty()) {
        return false;
    }
    // The device's own log is private like everything else in the device.
    createPrivateFile(fallback);
    file.setFileName(fallback);
    return file.open(QIODevice::WriteOnly | QIODevice::Append);
}

void logPlatformError(const QString& message, const char* source, int line) {
    logError(message, source, "", line);
}

}  // namespace

// The platform layer's reports go to the log once it has somewhere to go.
void setLogModule(const QString& executablePath) {
    QMutexLocker lock(&state().mutex);
    state().executablePath = executablePath;
    setPlatformErrorReceiver(&logPlatformError);
}

void setLogDevice(const DeviceFs* device) {
    QMutexLocker lock(&state().mutex);
    state().device = device;
    setPlatformErrorReceiver(&logPlatformError);
}

void setLogLocale(const Locale* locale) {
    QMutexLocker lock(&state().mutex);
    state().locale = locale;
}

QString logFilePath() {
    LogState& s = state();
    QMutexLocker lock(&s.mutex);
    if (!s.executablePath.isEmpty()) {
        const QString next = s.executablePath + QStringLiteral(".log");
        const QFileInfo info(next);
        if (info.exists() ? info.isWritable() : QFileInfo(info.absolutePath()).isWritable()) {
            return next;
        }
    }
    return deviceLogPath(s);
}

void logError(const QString& message, const char* sourceFile, const char* function, int line) {
    LogState& s = state();
    QMutexLocker lock(&s.mutex);
    const Locale& locale = s.locale != nullptr ? *s.locale : Locale::user();
    const QDateTime now = QDateTime::currentDateTime();
    QString text = locale.formatDate(QStringLiteral("yyyy.MM.dd "), now.date());
    text += locale.formatTime(QStringLiteral("HH:mm:ss - "), now.time());
    text += message;
    if (sourceFile != nullptr) {
        text += QLatin1Char('\t') + QString::fromUtf8(sourceFile) + QStringLiteral(": ") +
                QString::fromUtf8(function != nullptr ? function : "") + QStringLiteral(" (") +
                QString::number(line) + QLatin1Char(')');
    }
    text += QStringLiteral("\r\n");

    QFile file;
    if (!openLog(s, file)) {
        return;
    }
    file.write(locale.ansiCodec().fromUnicode(text));
}

uint32_t moduleHandle() {
    // The handheld loads programs at this base address.
    return 0x00010000;
}

void failAllocation() {
    logError(QStringLiteral("Memory not allocated!!!"), "DebugUtils", "", 170);
    raiseFatal(FatalCode::OutOfMemory);
}

}  // namespace kontavo
