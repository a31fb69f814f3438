#include "ui/pumpmessages.h"

#include <QCoreApplication>

#include "platform/windowregistry.h"

namespace kontavo {

void pumpMessages() {
    // Deferred deletions are left for the loop itself: the long operation
    // may still use objects scheduled for deletion. Other programs' messages
    // wait until the operation is over: they may ask for the very index it
    // is working on.
    const WindowMessageHold hold;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace kontavo
