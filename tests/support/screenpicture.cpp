#include "support/screenpicture.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QWidget>
#include <algorithm>

namespace kontavo::test {

namespace {

// How many open pop-ups stand below `widget` (a submenu over its menu).
int popupDepth(const QWidget* widget) {
    int depth = 0;
    for (const QWidget* up = widget->parentWidget(); up != nullptr; up = up->parentWidget()) {
        depth += up->isWindow() && up->windowType() == Qt::Popup ? 1 : 0;
    }
    return depth;
}

}  // namespace

QList<QWidget*> openPopups(const QWidget& window) {
    QList<QWidget*> popups;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget != &window && widget->isVisible() &&
            (widget->windowType() == Qt::Popup || widget->windowType() == Qt::Dialog)) {
            popups.append(widget);
        }
    }
    std::stable_sort(popups.begin(), popups.end(), [](const QWidget* a, const QWidget* b) {
        return popupDepth(a) < popupDepth(b);
    });
    return popups;
}

QImage screenPicture(QWidget& window) {
    const QList<QWidget*> popups = openPopups(window);
    QRect area = window.geometry();
    for (const QWidget* popup : popups) {
        area |= popup->geometry();
    }
    QImage picture(area.size(), QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    painter.drawPixmap(window.geometry().topLeft() - area.topLeft(), window.grab());
    for (QWidget* popup : popups) {
        painter.drawPixmap(popup->geometry().topLeft() - area.topLeft(), popup->grab());
    }
    return picture;
}

QImage saveScreenPicture(QWidget& window, const QString& folder, const QString& name) {
    const QString path = QStringLiteral(KONTAVO_BIN_DIR "/../screenshots/") + folder;
    QDir().mkpath(path);
    const QImage picture = screenPicture(window);
    picture.save(path + QLatin1Char('/') + name + QStringLiteral(".png"));
    return picture;
}

}  // namespace kontavo::test
