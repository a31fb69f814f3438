#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>

namespace kontavo::test {

// Stand-ins for the desktop programs the system starts (xdg-open,
// xdg-email, a phone application, a beam sender): shell scripts in a
// temporary folder put first on PATH, which write down their name and their
// arguments, byte for byte, and exit. The original PATH comes back when the
// object goes.
class FakePrograms {
public:
    // One start of a stand-in: its name, then its arguments.
    using Call = QStringList;

    // With `hidePath`, the stand-ins are all that PATH offers, so that a
    // program without a stand-in is missing (a stand-in's `thenShell` then
    // names other programs by their full path).
    explicit FakePrograms(bool hidePath = false);
    ~FakePrograms();
    FakePrograms(const FakePrograms&) = delete;
    FakePrograms& operator=(const FakePrograms&) = delete;

    // Makes a stand-in called `name` that writes down its call and then
    // runs `thenShell` (e.g. "/bin/sleep 1"). Returns its path.
    QString add(const QString& name, const QString& thenShell = {});
    QString folder() const { return m_dir.path(); }

    // The calls written down so far, in the order they were made.
    QList<Call> calls() const;
    // Waits (up to 10 s) until at least `count` calls were written down.
    QList<Call> waitForCalls(int count) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldPath;
    QString m_log;
};

}  // namespace kontavo::test
