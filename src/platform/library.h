#pragma once

#include <QString>

namespace kontavo {

// A shared library loaded for as long as the object lives: the handheld's
// LoadLibrary, GetProcAddress and FreeLibrary on `dlopen`. The library is
// loaded with its symbols kept to itself (RTLD_LOCAL) and resolved at once,
// so that a library with unresolved symbols fails to load rather than later.
// Not copyable; one thread.
class Library {
public:
    // Loads the library at host path `path`; isLoaded() says whether it did.
    explicit Library(const QString& path);
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    bool isLoaded() const { return m_handle != nullptr; }
    // Why the load failed (empty when it did not).
    const QString& error() const { return m_error; }
    // The exported entry `name`, null when the library is not loaded or does
    // not export it.
    void* entry(const char* name) const;
    // The entry as a function pointer of type `Function`.
    template <typename Function>
    Function function(const char* name) const {
        return reinterpret_cast<Function>(entry(name));
    }

private:
    void* m_handle = nullptr;
    QString m_error;
};

}  // namespace kontavo
