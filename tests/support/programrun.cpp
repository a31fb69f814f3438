#include "support/programrun.h"

#include <QProcess>

#include "support/tempdevice.h"

namespace kontavo::test {

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
