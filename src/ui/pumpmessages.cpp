#include "ui/pumpmessages.h"

#include <QCoreApplication>

namespace kontavo {

void pumpMessages() {
    // Deferred deletions are left for the loop itself: the long operation
    // may still use objects scheduled for deletion.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace kontavo
