#pragma once

#include <QImage>
#include <QString>

class QWidget;

namespace kontavo::test {

// What the user sees of `window`: its picture with every pop-up menu and
// dialog open over it drawn where it stands. The picture grows to hold
// pop-ups that reach beyond the window (the room around is black).
QImage screenPicture(QWidget& window);

// Saves screenPicture(window) as <build>/screenshots/<folder>/<name>.png and
// returns it.
QImage saveScreenPicture(QWidget& window, const QString& folder, const QString& name);

// The top-level pop-ups and dialogs shown over `window`, in stacking order.
QList<QWidget*> openPopups(const QWidget& window);

}  // namespace kontavo::test
