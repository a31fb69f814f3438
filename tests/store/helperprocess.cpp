#include "helperprocess.h"

#include <signal.h>

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <cstdio>

namespace kontavo::test {

HelperProcess::HelperProcess(const char* test, const QStringList& environment) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& setting : environment) {
        env.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
    }
    m_process.setProcessEnvironment(env);
    m_process.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=") + QLatin1String(test),
                     QStringLiteral("--gtest_also_run_disabled_tests")});
}

HelperProcess::~HelperProcess() {
    kill();
}

bool HelperProcess::waitFor(const char* text) {
    while (!hasSaid(text)) {
        if (!m_process.waitForReadyRead(20000)) {
            return false;
        }
    }
    return true;
}

bool HelperProcess::hasSaid(const char* text) {
    m_output += m_process.readAll();
    return m_output.contains(text);
}

int HelperProcess::waitExit() {
    m_process.waitForFinished(20000);
    return m_process.exitCode();
}

void HelperProcess::kill() {
    if (m_process.state() != QProcess::NotRunning) {
        ::kill(pid_t(m_process.processId()), SIGKILL);
        m_process.waitForFinished(5000);
    }
}

void HelperProcess::say(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

}  // namespace kontavo::test
