#include "support/popupdriver.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace kontavo::test {

void whenOpen(bool dialog, std::function<void(QWidget*)> step) {
    auto* poll = new QTimer;
    const QDeadlineTimer deadline(5000);
    QObject::connect(poll, &QTimer::timeout, [poll, deadline, dialog, step] {
        QWidget* open =
            dialog ? QApplication::activeModalWidget() : QApplication::activePopupWidget();
        if (open != nullptr || deadline.hasExpired()) {
            poll->stop();
            poll->deleteLater();
            if (open != nullptr) {
                step(open);
            }
        }
    });
    poll->start(10);
}

QAction* menuItem(QWidget* popup, const QString& text) {
    auto* menu = qobject_cast<QMenu*>(popup);
    if (menu == nullptr) {
        return nullptr;
    }
    for (QAction* action : menu->actions()) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}

void tapMenuItem(QWidget* popup, QAction* item) {
    auto* menu = qobject_cast<QMenu*>(popup);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
}

}  // namespace kontavo::test
