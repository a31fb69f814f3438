#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "platform/objectstore.h"

namespace kontavo {

class ContactsDatabase;
class Locale;
class StoreParticipant;

// The commands of kontavo-store. Each command lives in a source file of its
// own and is listed once in storeCommands() (storecommandtable.cpp); the
// command line, the usage text and the dispatch all come from that table.

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // a record that does not exist, a store that fails
inline constexpr int kExitUsage = 2;   // bad arguments

// The option of the commands that change contacts: report success only once
// the index has taken the changes in.
inline const QString kWaitOption = QStringLiteral("--wait");

// The arguments after the command's name: positionals in order, and the
// options the command declared (a flag maps to an empty string).
struct CommandArgs {
    QStringList positional;
    QHash<QString, QString> options;

    bool has(const QString& option) const { return options.contains(option); }
    QString value(const QString& option) const { return options.value(option); }
};

// What a command works on: the device root, its object store, and the
// contacts database opened with the categories database (with the command's
// notification receiver, when it has one); for a command that shares the
// index, its part among the programs sharing it. All outlive the command's
// run.
struct StoreContext {
    QString root;
    ObjectStore& store;
    ContactsDatabase& db;
    const Locale& locale;
    StoreParticipant* participant = nullptr;  // null: the command holds no index
};

struct StoreOption {
    QString name;       // "--seed"
    QString valueName;  // "S"; empty for a flag
};

struct StoreCommandInfo {
    QString name;      // "seed"
    QString synopsis;  // "seed N [--seed S]"
    QString summary;   // one line for the usage text
    int minimum = 0;   // positional arguments
    int maximum = 0;   // -1: any number
    QList<StoreOption> options;
    // When set, the contacts database is opened with this receiver of its
    // change notifications.
    DbNotifyFn notify;
    // Runs the command; returns the exit status. Usage problems found here
    // (a malformed Oid, a bad field) return kExitUsage.
    int (*run)(StoreContext& context, const CommandArgs& args) = nullptr;
    // Takes part among the programs sharing the index for its run: every
    // command that changes contacts or the index, or reads the index.
    bool shares = false;
};

// Every command, in the order the usage text lists them.
const QList<StoreCommandInfo>& storeCommands();

// A record Oid in decimal or, with "0x", hexadecimal; nullopt for anything
// else, 0 and values past 32 bits.
std::optional<Oid> parseOid(const QString& text);

}  // namespace kontavo
