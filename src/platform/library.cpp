#include "platform/library.h"

#include <dlfcn.h>

#include <QFile>

namespace kontavo {

Library::Library(const QString& path) {
    // dlopen searches the system's folders for a bare name: only an existing
    // file is loaded, so that the name always means the file given.
    if (path.isEmpty() || !QFile::exists(path)) {
        m_error = QStringLiteral("no such file");
        return;
    }
    m_handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (m_handle == nullptr) {
        const char* why = dlerror();
        m_error = QString::fromLocal8Bit(why != nullptr ? why : "cannot load");
    }
}

Library::~Library() {
    if (m_handle != nullptr) {
        dlclose(m_handle);
    }
}

void* Library::entry(const char* name) const {
    return m_handle != nullptr ? dlsym(m_handle, name) : nullptr;
}

}  // namespace kontavo
