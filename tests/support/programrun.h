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

// The non-empty lines of a program's output.
QStringList linesOf(const QByteArray& out);

// The permission bits of a file or folder (0 when it does not exist).
unsigned fileMode(const QString& path);

// Runs kontavo-store with "--device-root ROOT" before `arguments`, in
// `environment`, killing it after `timeoutMs`.
ProgramRun runStoreTool(
    const QString& root, const QStringList& arguments, int timeoutMs = 60000,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

}  // namespace kontavo::test
