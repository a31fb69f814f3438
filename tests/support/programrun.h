#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace kontavo::test {

// One finished run of a program of this build.
struct ProgramRun {
    int status = -1;        // the exit code; -1 when it crashed or was killed
    bool finished = false;  // false: still running at the time limit (killed)
    QByteArray out;
    QString err;
    QString text() const { return QString::fromUtf8(out); }
};

// Runs kontavo-store with "--device-root ROOT" before `arguments`, in
// `environment`, killing it after `timeoutMs`.
ProgramRun runStoreTool(
    const QString& root, const QStringList& arguments, int timeoutMs = 60000,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

}  // namespace kontavo::test
