#pragma once

#include <QString>
#include <optional>

#include "store/record/proptag.h"

namespace kontavo {

// kontavo-store's output: results go to stdout, problems to stderr as
// "kontavo-store: TEXT". Both are flushed at once, so that a reader of a
// pipe (a test, "watch | ...") sees each line as it is printed.
void printOut(const QString& text);
void printErr(const QString& text);
// Prints `message` as a problem and returns `status`.
int fail(const QString& message, int status);
// The record Oid an argument names (see parseOid()); prints why not and
// returns nullopt when it names none.
std::optional<Oid> oidArgument(const QString& text);

}  // namespace kontavo
