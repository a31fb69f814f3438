#include "platform/processlauncher.h"

#include <QFile>
#include <QProcess>

namespace kontavo {

std::optional<qint64> ProcessLauncher::start(const QString& program, const QStringList& arguments) {
    qint64 pid = 0;
    if (program.isEmpty() || !QProcess::startDetached(program, arguments, QString(), &pid)) {
        return std::nullopt;
    }
    return pid;
}

bool ProcessLauncher::isRunning(qint64 pid) const {
    if (pid <= 0) {
        return false;
    }
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return false;
    }
    // "pid (name) S ...": the state follows the last closing bracket.
    const QByteArray line = stat.readLine();
    const qsizetype close = line.lastIndexOf(')');
    return close >= 0 && close + 2 < line.size() && line[close + 2] != 'Z' &&
           line[close + 2] != 'X';
}

}  // namespace kontavo
