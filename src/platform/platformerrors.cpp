#include "platform/platformerrors.h"

#include <atomic>

namespace kontavo {

namespace {
std::atomic<PlatformErrorReceiver> g_receiver{nullptr};
}  // namespace

void setPlatformErrorReceiver(PlatformErrorReceiver receiver) {
    g_receiver.store(receiver);
}

void reportPlatformError(const QString& message, const char* source, int line) {
    if (const PlatformErrorReceiver receiver = g_receiver.load()) {
        receiver(message, source, line);
    }
}

}  // namespace kontavo
