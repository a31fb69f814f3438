#include "storeoutput.h"

#include <cstdio>

#include "storecommand.h"

namespace kontavo {

namespace {

// Every byte goes out, a NUL included: text is never cut at one.
void writeWhole(const QString& text, std::FILE* stream) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

}  // namespace

void printOut(const QString& text) {
    writeWhole(text, stdout);
}

void printErr(const QString& text) {
    writeWhole(QStringLiteral("kontavo-store: ") + text + QLatin1Char('\n'), stderr);
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
