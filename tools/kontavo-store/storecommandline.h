#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "storecommand.h"

namespace kontavo {

// One parsed kontavo-store command line:
//   [--device-root DIR] COMMAND [ARGUMENT | OPTION [VALUE]]...
// Options may stand anywhere after the program name; "--" ends them.
struct StoreCommandLine {
    std::optional<QString> deviceRoot;
    const StoreCommandInfo* command = nullptr;  // an entry of storeCommands()
    CommandArgs args;
};

// Parses the arguments after the program name against storeCommands(); on
// failure nullopt with a one-line reason in `error`.
std::optional<StoreCommandLine> parseStoreCommandLine(const QStringList& arguments, QString& error);

// The usage text, listing every command of storeCommands().
QString storeUsage();

}  // namespace kontavo
