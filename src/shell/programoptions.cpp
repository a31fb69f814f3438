#include "shell/programoptions.h"

#include <QFileInfo>
#include <algorithm>

namespace kontavo {

namespace {

// Splits "--name=value" or takes the value from the next argument.
std::optional<QString> optionValue(const QStringList& arguments, qsizetype& index,
                                   const QString& name) {
    const QString& argument = arguments[index];
    if (argument.startsWith(name + QLatin1Char('='))) {
        return argument.mid(name.size() + 1);
    }
    if (argument == name && index + 1 < arguments.size()) {
        return arguments[++index];
    }
    return std::nullopt;
}

bool isOption(const QString& argument, const QString& name) {
    return argument == name || argument.startsWith(name + QLatin1Char('='));
}

// The switches without a value; false for any other argument.
bool takeSwitch(const QString& argument, ProgramOptions& options) {
    if (argument == QLatin1String("--demo")) {
        options.demo = true;
    } else if (argument == QLatin1String("--sip")) {
        options.sipUp = true;
    } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
        options.help = true;
    } else if (argument == QLatin1String("--version")) {
        options.version = true;
    } else {
        return false;
    }
    return true;
}

}  // namespace

std::optional<ProgramOptions> ProgramOptions::parse(const QStringList& arguments, QString* error) {
    ProgramOptions options;
    QStringList rest;
    const QString root = QStringLiteral("--device-root");
    const QString dpi = QStringLiteral("--dpi");
    const QString screenshot = QStringLiteral("--screenshot");
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        std::optional<QString> value;
        if (takeSwitch(argument, options)) {
            continue;
        }
        if (isOption(argument, root) || isOption(argument, dpi) || isOption(argument, screenshot)) {
            const QString name = argument.section(QLatin1Char('='), 0, 0);
            value = optionValue(arguments, i, name);
            if (!value || value->isEmpty()) {
                *error = QStringLiteral("%1 needs a value").arg(name);
                return std::nullopt;
            }
            if (name == root) {
                options.deviceRoot = *value;
            } else if (name == screenshot) {
                options.screenshot = *value;
            } else if (*value == QLatin1String("96") || *value == QLatin1String("192")) {
                options.dpi = value->toInt();
            } else {
                *error = QStringLiteral("--dpi must be 96 or 192, not %1").arg(*value);
                return std::nullopt;
            }
        } else if (argument.startsWith(QLatin1String("--"))) {
            *error = QStringLiteral("unknown option %1").arg(argument);
            return std::nullopt;
        } else {
            rest.append(argument);
        }
    }
    if (options.demo && options.deviceRoot) {
        *error = QStringLiteral("--demo has its own device root; leave out --device-root");
        return std::nullopt;
    }
    // vCard files are imported; anything else is the handheld's command line.
    const bool allVCards =
        !rest.isEmpty() && std::all_of(rest.begin(), rest.end(), [](const QString& argument) {
            return argument.endsWith(QLatin1String(".vcf"), Qt::CaseInsensitive) ||
                   argument.endsWith(QLatin1String(".vcard"), Qt::CaseInsensitive);
        });
    if (allVCards) {
        for (const QString& file : rest) {
            options.vcardFiles.append(QFileInfo(file).absoluteFilePath());
        }
    } else {
        options.commandLine = rest.join(QLatin1Char(' '));
    }
    return options;
}

QString ProgramOptions::usage() {
    return QStringLiteral(
        "usage: kontavo [--device-root DIR | --demo] [--dpi 96|192] [--screenshot FILE.png]\n"
        "               [--sip] [e|v OID | FILE.vcf...]\n"
        "  e OID / v OID   open the contact with that object id (hexadecimal) for editing or\n"
        "                  viewing, in the running Kontavo if there is one\n"
        "  FILE.vcf        import the contacts of the vCard files, in the running Kontavo if\n"
        "                  there is one\n"
        "  --device-root   the folder that stands for the handheld (default: $KONTAVO_ROOT,\n"
        "                  else $XDG_DATA_HOME/kontavo/device)\n"
        "  --demo          use the demonstration device ($XDG_DATA_HOME/kontavo/demo), filled\n"
        "                  with 200 fictional contacts while it has none\n"
        "  --dpi 192       the double-resolution screen (480 x 640)\n"
        "  --screenshot    draw the main screen into FILE.png and exit (no display needed;\n"
        "                  never hands over to a running Kontavo)\n"
        "  --sip           start with the on-screen keyboard up\n"
        "  --help          show this text; --version shows the version\n");
}

}  // namespace kontavo
