#include "support/programrun.h"

#include <sys/stat.h>

#include <QFile>
#include <QProcess>

#include "support/tempdevice.h"

namespace kontavo::test {

QStringList linesOf(const QByteArray& out) {
    return QString::fromUtf8(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

unsigned fileMode(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 0777 : 0;
}

ProgramRun runStoreTool(const QString& root, const QStringList& arguments, int timeoutMs,
                        const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(builtProgram(QStringLiteral("kontavo-store")),
                  QStringList{QStringLiteral("--device-root"), root} + arguments);
    ProgramRun run;
    run.finished = process.waitForFinished(timeoutMs);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    if (run.finished && process.exitStatus() == QProcess::NormalExit) {
        run.status = process.exitCode();
    }
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

}  // namespace kontavo::test
