#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "platform/registry.h"

namespace kontavo {

// One parsed kontavo-reg command line.
struct RegCommand {
    enum class Verb { Get, Set, Delete, List };
    Verb verb = Verb::List;
    std::optional<QString> deviceRoot;
    Hive hive = Hive::CurrentUser;
    QString keyPath;
    std::optional<QString> valueName;
    std::optional<RegValue> value;  // for set
};

// Parses the arguments after the program name. On failure returns nullopt and
// puts a one-line reason into `error`.
std::optional<RegCommand> parseRegCommand(const QStringList& arguments, QString& error);

// Runs the command against `registry`, writing results to `out` and problems
// to `err`. Returns the process exit status (0 success, 1 not found or failed).
int runRegCommand(const RegCommand& command, Registry& registry, QString& out, QString& err);

// "NAME<TAB>TYPE<TAB>DATA": DWORD as decimal and hex, SZ as text, BINARY as hex.
QString formatRegValue(const QString& name, const RegValue& value);

}  // namespace kontavo
