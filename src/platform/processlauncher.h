#pragma once

#include "platform/launcher.h"

namespace kontavo {

// Starts programs as detached processes (QProcess::startDetached: the
// program is executed directly, never through a shell) with the working
// directory and environment of this process. A started program lives on
// when this one ends.
class ProcessLauncher final : public Launcher {
public:
    std::optional<qint64> start(const QString& program, const QStringList& arguments) override;
    // Looks at /proc: a process that has ended but was not yet reaped
    // counts as ended.
    bool isRunning(qint64 pid) const override;
};

}  // namespace kontavo
