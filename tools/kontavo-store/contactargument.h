#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "storecommand.h"

namespace kontavo {

// The contact an OID argument names, read with every property. nullopt
// after printing why, with `status` set: kExitUsage for text that is no
// Oid, kExitFailed when no contact has it.
std::optional<DbRecord> contactArgument(StoreContext& context, const QString& text, int& status);

// The bytes of a blob property of `read` (empty when it has none).
QByteArray blobProperty(const DbRecord& read, PropTag tag);

}  // namespace kontavo
