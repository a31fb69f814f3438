#include "storeoutput.h"

#include <cstdio>

#include "storecommand.h"

namespace kontavo {

void printOut(const QString& text) {
    std::fputs(text.toUtf8().constData(), stdout);
    std::fflush(stdout);
}

void printErr(const QString& text) {
    std::fputs((QStringLiteral("kontavo-store: ") + text + QLatin1Char('\n')).toUtf8().constData(),
               stderr);
    std::fflush(stderr);
}

int fail(const QString& message, int status) {
    printErr(message);
    return status;
}

std::optional<Oid> oidArgument(const QString& text) {
    const std::optional<Oid> oid = parseOid(text);
    if (!oid) {
        printErr(QStringLiteral("\"%1\" is not a record Oid (decimal, or hexadecimal after 0x)")
                     .arg(text));
    }
    return oid;
}

}  // namespace kontavo
