#include "regcommand.h"

namespace kontavo {

namespace {

std::optional<RegCommand::Verb> parseVerb(const QString& word) {
    if (word == QLatin1String("get")) return RegCommand::Verb::Get;
    if (word == QLatin1String("set")) return RegCommand::Verb::Set;
    if (word == QLatin1String("delete")) return RegCommand::Verb::Delete;
    if (word == QLatin1String("list")) return RegCommand::Verb::List;
    return std::nullopt;
}

std::optional<RegValue> parseValue(const QString& flag, const QString& text, QString& error) {
    if (flag == QLatin1String("--dword")) {
        bool ok = false;
        const qlonglong number = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                                     ? text.mid(2).toLongLong(&ok, 16)
                                     : text.toLongLong(&ok, 10);
        if (!ok || number < -2147483648LL || number > 4294967295LL) {
            error = QStringLiteral("--dword needs a 32-bit number, got \"%1\"").arg(text);
            return std::nullopt;
        }
        return RegValue::fromDword(uint32_t(number));
    }
    if (flag == QLatin1String("--sz")) {
        return RegValue::fromString(text);
    }
    if (flag == QLatin1String("--binary-hex")) {
        const QByteArray hex = text.toLatin1();
        const bool valid = hex.size() % 2 == 0 &&
                           std::all_of(hex.begin(), hex.end(), [](char c) { return isxdigit(uchar(c)); });
        if (!valid) {
            error = QStringLiteral("--binary-hex needs an even number of hex digits");
            return std::nullopt;
        }
        return RegValue::fromBinary(QByteArray::fromHex(hex));
    }
    error = QStringLiteral("unknown option \"%1\"").arg(flag);
    return std::nullopt;
}

// Splits "HIVE\KEY\PATH" into the hive and the key path.
bool parseKey(const QString& text, RegCommand& command, QString& error) {
    const qsizetype slash = text.indexOf(QLatin1Char('\\'));
    const auto hive = hiveFromName(slash < 0 ? text : text.left(slash));
    if (!hive) {
        error = QStringLiteral("\"%1\" does not start with HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE")
                    .arg(text);
        return false;
    }
    command.hive = *hive;
    command.keyPath = slash < 0 ? QString() : text.mid(slash + 1);
    return true;
}

}  // namespace

std::optional<RegCommand> parseRegCommand(const QStringList& arguments, QString& error) {
    RegCommand command;
    QStringList positional;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg.startsWith(QLatin1String("--"))) {
            if (i + 1 >= arguments.size()) {
                error = QStringLiteral("%1 needs a value").arg(arg);
                return std::nullopt;
            }
            if (arg == QLatin1String("--device-root")) {
                command.deviceRoot = arguments[++i];
                continue;
            }
            if (command.value) {
                error = QStringLiteral("give only one of --dword, --sz, --binary-hex");
                return std::nullopt;
            }
            command.value = parseValue(arg, arguments[++i], error);
            if (!command.value) {
                return std::nullopt;
            }
            continue;
        }
        positional.append(arg);
    }
    if (positional.size() < 2) {
        error = QStringLiteral("expected a command (get, set, delete, list) and a key");
        return std::nullopt;
    }
    const auto verb = parseVerb(positional[0]);
    if (!verb) {
        error = QStringLiteral("unknown command \"%1\"").arg(positional[0]);
        return std::nullopt;
    }
    command.verb = *verb;
    if (!parseKey(positional[1], command, error)) {
        return std::nullopt;
    }
    if (positional.size() > 3) {
        error = QStringLiteral("too many arguments");
        return std::nullopt;
    }
    if (positional.size() == 3) {
        command.valueName = positional[2];
    }
    const bool needsName = command.verb == RegCommand::Verb::Get || command.verb == RegCommand::Verb::Set;
    if (needsName && !command.valueName) {
        error = QStringLiteral("%1 needs a value name").arg(positional[0]);
        return std::nullopt;
    }
    if (command.verb == RegCommand::Verb::List && command.valueName) {
        error = QStringLiteral("list takes no value name");
        return std::nullopt;
    }
    if ((command.verb == RegCommand::Verb::Set) != command.value.has_value()) {
        error = command.value ? QStringLiteral("only set takes a value")
                              : QStringLiteral("set needs --dword N, --sz TEXT or --binary-hex HEX");
        return std::nullopt;
    }
    if (command.keyPath.isEmpty() && command.verb != RegCommand::Verb::List) {
        error = QStringLiteral("a key below the hive is needed");
        return std::nullopt;
    }
    return command;
}

QString formatRegValue(const QString& name, const RegValue& value) {
    QString data;
    if (const auto number = value.dword()) {
        data = QStringLiteral("%1 (0x%2)").arg(*number).arg(*number, 8, 16, QLatin1Char('0'));
    } else if (const auto text = value.string()) {
        data = *text;
    } else {
        data = QString::fromLatin1(value.data.toHex());
    }
    return name + QLatin1Char('\t') + regTypeName(value.type) + QLatin1Char('\t') + data;
}

int runRegCommand(const RegCommand& command, Registry& registry, QString& out, QString& err) {
    const QString key = hiveName(command.hive) + QLatin1Char('\\') + command.keyPath;
    switch (command.verb) {
        case RegCommand::Verb::Get: {
            const auto value = registry.queryValue(command.hive, command.keyPath, *command.valueName);
            if (!value) {
                err = QStringLiteral("no value \"%1\" in %2\n").arg(*command.valueName, key);
                return 1;
            }
            // Print the name with its stored spelling.
            QString name = *command.valueName;
            for (const QString& stored : registry.valueNames(command.hive, command.keyPath)) {
                if (stored.compare(name, Qt::CaseInsensitive) == 0) {
                    name = stored;
                }
            }
            out = formatRegValue(name, *value) + QLatin1Char('\n');
            return 0;
        }
        case RegCommand::Verb::Set:
            if (!registry.setValue(command.hive, command.keyPath, *command.valueName, *command.value)) {
                err = QStringLiteral("cannot write %1\n").arg(key);
                return 1;
            }
            return 0;
        case RegCommand::Verb::Delete: {
            const bool ok = command.valueName
                                ? registry.deleteValue(command.hive, command.keyPath, *command.valueName)
                                : deleteKeyTree(registry, command.hive, command.keyPath);
            if (!ok) {
                err = QStringLiteral("nothing deleted: %1%2 not found\n")
                          .arg(key, command.valueName ? QStringLiteral(" \"") + *command.valueName +
                                                            QLatin1Char('"')
                                                      : QString());
                return 1;
            }
            return 0;
        }
        case RegCommand::Verb::List: {
            if (!command.keyPath.isEmpty() && !registry.keyExists(command.hive, command.keyPath)) {
                err = QStringLiteral("no key %1\n").arg(key);
                return 1;
            }
            for (int i = 0;; ++i) {
                const auto child = registry.enumSubkey(command.hive, command.keyPath, i);
                if (!child) break;
                out += *child + QStringLiteral("\\\n");
            }
            for (const QString& name : registry.valueNames(command.hive, command.keyPath)) {
                if (const auto value = registry.queryValue(command.hive, command.keyPath, name)) {
                    out += formatRegValue(name, *value) + QLatin1Char('\n');
                }
            }
            return 0;
        }
    }
    return 1;
}

}  // namespace kontavo
