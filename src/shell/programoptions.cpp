#include "shell/programoptions.h"

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
    options.commandLine = rest.join(QLatin1Char(' '));
    return options;
}

QString ProgramOptions::usage() {
    return QStringLiteral(
        "usage: kontavo [--device-root DIR] [--dpi 96|192] [--screenshot FILE.png] [e|v OID]\n"
        "  e OID / v OID   open the contact with that object id (hexadecimal) for editing or "
        "viewing\n"
        "  --screenshot    draw the main screen into FILE.png without a display and exit\n");
}

}  // namespace kontavo
