#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace kontavo::test {

// This test program run again as a helper process with one disabled test
// enabled (`test`, "Suite.DISABLED_Name"); the helper reads its part from
// the environment variables given. The helper is killed when the object
// goes away.
class HelperProcess {
public:
    HelperProcess(const char* test, const QStringList& environment);
    ~HelperProcess();
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;

    // Waits until the helper has printed `text` (since it started); false
    // when it ends or stays silent for 20 s first.
    bool waitFor(const char* text);
    bool waitReady() { return waitFor("READY"); }
    // Whether the helper has printed `text` so far (without waiting).
    bool hasSaid(const char* text);
    // Waits for the helper to end; its exit code.
    int waitExit();
    // SIGKILL, and waits until it is gone.
    void kill();

    // In the helper: prints `line` and flushes it at once.
    static void say(const char* line);

private:
    QProcess m_process;
    QByteArray m_output;
};

}  // namespace kontavo::test
