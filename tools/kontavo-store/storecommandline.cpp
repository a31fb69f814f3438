#include "storecommandline.h"

namespace kontavo {

namespace {

const QString kDeviceRoot = QStringLiteral("--device-root");

const StoreCommandInfo* commandNamed(const QString& name) {
    for (const StoreCommandInfo& info : storeCommands()) {
        if (info.name == name) {
            return &info;
        }
    }
    return nullptr;
}

const StoreOption* optionNamed(const StoreCommandInfo& command, const QString& name) {
    for (const StoreOption& option : command.options) {
        if (option.name == name) {
            return &option;
        }
    }
    return nullptr;
}

// Walks the arguments once: the first non-option is the command, the
// others its positionals; "--name VALUE" or "--name=VALUE" for options.
class Parser {
public:
    Parser(const QStringList& arguments, QString& error) : m_arguments(arguments), m_error(error) {}

    bool run() {
        for (m_at = 0; m_at < m_arguments.size(); ++m_at) {
            const QString& argument = m_arguments[m_at];
            const bool isOption = !m_optionsEnded && argument.startsWith(QLatin1String("--"));
            if (argument == QLatin1String("--") && !m_optionsEnded) {
                m_optionsEnded = true;
            } else if (isOption ? !takeOption(argument) : !takePositional(argument)) {
                return false;
            }
        }
        return checkCounts();
    }

    StoreCommandLine line;

private:
    bool takePositional(const QString& argument) {
        if (line.command != nullptr) {
            line.args.positional.append(argument);
            return true;
        }
        line.command = commandNamed(argument);
        if (line.command == nullptr) {
            return failWith(QStringLiteral("unknown command \"%1\"").arg(argument));
        }
        return true;
    }

    bool takeOption(const QString& argument) {
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? argument : argument.left(equals);
        std::optional<QString> inlineValue;
        if (equals >= 0) {
            inlineValue = argument.mid(equals + 1);
        }
        if (name == kDeviceRoot) {
            const std::optional<QString> value = valueOf(name, inlineValue);
            line.deviceRoot = value;
            return value.has_value();
        }
        if (line.command == nullptr) {
            return failWith(QStringLiteral("unknown option \"%1\"").arg(name));
        }
        const StoreOption* option = optionNamed(*line.command, name);
        if (option == nullptr) {
            return failWith(
                QStringLiteral("\"%1\" has no option \"%2\"").arg(line.command->name, name));
        }
        if (option->valueName.isEmpty()) {
            if (inlineValue) {
                return failWith(QStringLiteral("%1 takes no value").arg(name));
            }
            line.args.options.insert(name, QString());
            return true;
        }
        const std::optional<QString> value = valueOf(name, inlineValue);
        if (value) {
            line.args.options.insert(name, *value);
        }
        return value.has_value();
    }

    std::optional<QString> valueOf(const QString& name, const std::optional<QString>& inlineValue) {
        if (inlineValue) {
            return inlineValue;
        }
        if (m_at + 1 >= m_arguments.size()) {
            failWith(QStringLiteral("%1 needs a value").arg(name));
            return std::nullopt;
        }
        return m_arguments[++m_at];
    }

    bool checkCounts() {
        if (line.command == nullptr) {
            return failWith(QStringLiteral("no command given"));
        }
        const int given = int(line.args.positional.size());
        const StoreCommandInfo& command = *line.command;
        if (given < command.minimum || (command.maximum >= 0 && given > command.maximum)) {
            return failWith(QStringLiteral("wrong number of arguments; usage: kontavo-store %1")
                                .arg(command.synopsis));
        }
        return true;
    }

    bool failWith(const QString& text) {
        m_error = text;
        return false;
    }

    const QStringList& m_arguments;
    QString& m_error;
    qsizetype m_at = 0;
    bool m_optionsEnded = false;
};

}  // namespace

std::optional<Oid> parseOid(const QString& text) {
    bool ok = false;
    const qulonglong value = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                                 ? text.mid(2).toULongLong(&ok, 16)
                                 : text.toULongLong(&ok, 10);
    if (!ok || value == 0 || value > 0xFFFFFFFFull) {
        return std::nullopt;
    }
    return Oid(value);
}

std::optional<StoreCommandLine> parseStoreCommandLine(const QStringList& arguments,
                                                      QString& error) {
    Parser parser(arguments, error);
    if (!parser.run()) {
        return std::nullopt;
    }
    return parser.line;
}

QString storeUsage() {
    QString text = QStringLiteral("usage: kontavo-store [--device-root DIR] COMMAND ...\n");
    for (const StoreCommandInfo& command : storeCommands()) {
        QString synopsis = QStringLiteral("  ") + command.synopsis;
        if (synopsis.size() < 26) {
            synopsis = synopsis.leftJustified(26);
        } else {
            synopsis += QStringLiteral("\n") + QString(26, QLatin1Char(' '));
        }
        text += synopsis + command.summary + QLatin1Char('\n');
    }
    text += QStringLiteral(
        "FIELD is a field of the contact table (FirstName, MobilePhone, ...), Birthday or\n"
        "Anniversary (YYYY-MM-DD), PreferredItem, categories=A;B, notes=TEXT, image=NAME,\n"
        "homeformat/workformat/otherformat=N, or an extended entry KIND:LABEL=VALUE with KIND\n"
        "phone, email, webpage, people, link, otherprop, date, messenger (TYPE;ACCOUNT) or\n"
        "address (STREET;CITY;REGION;POSTALCODE;COUNTRY;FORMAT). An empty VALUE clears.\n"
        "OID is decimal or 0x-prefixed hexadecimal. The device root is DIR, else\n"
        "$KONTAVO_ROOT, else $XDG_DATA_HOME/kontavo/device.\n"
        "Exit status: 0 done, 1 failed (no such record, the store refused), 2 bad arguments.\n");
    return text;
}

}  // namespace kontavo
