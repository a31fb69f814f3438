#pragma once

#include <QString>

namespace kontavo {

// Conditions the platform layer works around instead of failing (a stored
// row it cannot use, a file in the way) are reported here, so that they
// reach the error log, which sits above this layer and installs itself as
// the receiver. Without a receiver a report is dropped. The receiver is
// called on the reporting thread and must be thread-safe.
using PlatformErrorReceiver = void (*)(const QString& message, const char* source, int line);

void setPlatformErrorReceiver(PlatformErrorReceiver receiver);
void reportPlatformError(const QString& message, const char* source, int line);

}  // namespace kontavo
