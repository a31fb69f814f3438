#include "support/fakeprograms.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>

namespace kontavo::test {

namespace {

// A call is written as one record: the name and each argument end with the
// unit separator 0x1F, the record with the record separator 0x1E, in one
// printf (one write) so that calls of programs running side by side do not
// mix.
QByteArray script(const QString& log, const QString& thenShell) {
    QByteArray text =
        "#!/bin/sh\n"
        "record=\"${0##*/}$(printf '\\037')\"\n"
        "for argument in \"$@\"; do\n"
        "  record=\"$record$argument$(printf '\\037')\"\n"
        "done\n"
        "printf '%s\\036' \"$record\" >> '";
    text += log.toLocal8Bit() + "'\n";
    text += thenShell.toLocal8Bit() + "\n";
    return text;
}

}  // namespace

FakePrograms::FakePrograms(bool hidePath)
    : m_oldPath(qgetenv("PATH")), m_log(m_dir.filePath(QStringLiteral("calls.log"))) {
    const QByteArray folder = m_dir.path().toLocal8Bit();
    qputenv("PATH", hidePath ? folder : folder + ':' + m_oldPath);
}

FakePrograms::~FakePrograms() {
    qputenv("PATH", m_oldPath);
}

QString FakePrograms::add(const QString& name, const QString& thenShell) {
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(script(m_log, thenShell));
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return path;
}

QList<FakePrograms::Call> FakePrograms::calls() const {
    QFile file(m_log);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QList<Call> calls;
    for (const QByteArray& record : file.readAll().split('\x1e')) {
        if (record.isEmpty()) {
            continue;
        }
        Call call;
        QList<QByteArray> fields = record.split('\x1f');
        fields.removeLast();  // after the last separator
        for (const QByteArray& field : fields) {
            call.append(QString::fromUtf8(field));
        }
        calls.append(call);
    }
    return calls;
}

QList<FakePrograms::Call> FakePrograms::waitForCalls(int count) const {
    QElapsedTimer waited;
    waited.start();
    QList<Call> found = calls();
    while (found.size() < count && waited.elapsed() < 10000) {
        QTest::qWait(10);
        found = calls();
    }
    return found;
}

}  // namespace kontavo::test
