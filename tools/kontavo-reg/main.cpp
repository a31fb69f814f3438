// kontavo-reg: reads and writes the device registry from the shell.
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

#include "platform/devicefs.h"
#include "platform/privatefiles.h"
#include "platform/sqliteregistry.h"
#include "regcommand.h"

namespace {

constexpr const char* kUsage =
    "usage: kontavo-reg [--device-root DIR] get|set|delete|list HIVE\\KEY [NAME]\n"
    "                   [--dword N | --sz TEXT | --binary-hex HEX]\n"
    "  get     print one value with its type\n"
    "  set     write one value (exactly one of --dword, --sz, --binary-hex)\n"
    "  delete  delete a value, or without NAME the key and everything below it\n"
    "  list    print the subkeys (ending in \\) and values of a key\n"
    "HIVE is HKEY_CURRENT_USER (HKCU) or HKEY_LOCAL_MACHINE (HKLM).\n";

void print(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    if (arguments.isEmpty() || arguments.contains(QStringLiteral("--help"))) {
        std::fputs(kUsage, arguments.isEmpty() ? stderr : stdout);
        return arguments.isEmpty() ? 2 : 0;
    }
    QString error;
    const auto command = kontavo::parseRegCommand(arguments, error);
    if (!command) {
        print(stderr, QStringLiteral("kontavo-reg: ") + error + QLatin1Char('\n'));
        std::fputs(kUsage, stderr);
        return 2;
    }
    const QString root = kontavo::DeviceFs::resolveRoot(command->deviceRoot);
    if (!kontavo::makePrivateFolder(root)) {
        print(stderr, QStringLiteral("kontavo-reg: cannot create device root %1\n").arg(root));
        return 1;
    }
    kontavo::SqliteRegistry registry(kontavo::SqliteRegistry::fileInRoot(root));
    if (!registry.isOpen()) {
        print(stderr, QStringLiteral("kontavo-reg: cannot open the registry in %1\n").arg(root));
        return 1;
    }
    QString out;
    QString err;
    const int status = kontavo::runRegCommand(*command, registry, out, err);
    print(stdout, out);
    if (!err.isEmpty()) {
        print(stderr, QStringLiteral("kontavo-reg: ") + err);
    }
    return status;
}
