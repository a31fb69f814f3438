#include "store/contacts/deferredtimer.h"

#include <QTimer>

namespace kontavo {

namespace {

class QtDeferredTimer final : public DeferredTimer {
public:
    QtDeferredTimer() {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { timedOut(); });
    }
    void start(int milliseconds) override { m_timer.start(milliseconds); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

}  // namespace

std::unique_ptr<DeferredTimer> makeQtTimer() {
    return std::make_unique<QtDeferredTimer>();
}

}  // namespace kontavo
