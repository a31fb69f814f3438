#include "comm/todayplugin.h"

#include <QDir>
#include <QFile>

#include "platform/library.h"
#include "platform/windowregistry.h"

namespace kontavo {

namespace {

using TodayFunction = int32_t (*)();

// A window that does not answer within this time is not waited for.
constexpr int kRedrawTimeoutMs = 2000;

int32_t callEntry(const QString& path, const char* name) {
    if (path.isEmpty()) {
        return 0;
    }
    const Library library(path);
    const auto function = library.function<TodayFunction>(name);
    return function != nullptr ? function() : 0;
}

}  // namespace

QString TodayPlugin::libraryPath() const {
    for (const QString& folder : m_folders) {
        const QString path = QDir(folder).filePath(kLibraryName.toString());
        if (!folder.isEmpty() && QFile::exists(path)) {
            return path;
        }
    }
    return QString();
}

int32_t TodayPlugin::isRegistered() const {
    return callEntry(libraryPath(), "IsTodayRegistered");
}

int32_t TodayPlugin::setRegistered(bool on) const {
    const QString path = libraryPath();
    if (path.isEmpty()) {
        return 0;
    }
    const int32_t result = callEntry(path, on ? "RegisterTodayItem" : "UnRegisterTodayItem");
    // Without a Today screen there is nobody to redraw: the handheld's
    // broadcast to every top-level window has no counterpart here.
    if (m_windows != nullptr) {
        if (const WindowHandle today = m_windows->findWindow(kTodayWindowClass.toString())) {
            m_windows->sendMessage(today, {kSettingChange, kTodayItemsChanged, 0},
                                   kRedrawTimeoutMs);
        }
    }
    return result;
}

}  // namespace kontavo
