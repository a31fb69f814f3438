#include "listtestsupport.h"

#include <QDir>
#include <QPainter>
#include <QTest>

#include "ui/sharedfonts.h"

namespace kontavo::test {

QImage saveScreenshot(QWidget& widget, const QString& name) {
    const QString folder = QStringLiteral(KONTAVO_BIN_DIR "/../screenshots/list");
    QDir().mkpath(folder);
    const QImage image = widget.grab().toImage();
    image.save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
    return image;
}

bool showActive(QWidget& widget) {
    widget.show();
    widget.activateWindow();
    return QTest::qWaitForWindowActive(&widget);
}

bool RecordingOwner::onKey(const ListKey& key) {
    if (key.virtualKey >= vk::kShift && key.virtualKey <= vk::kAlt) {
        return false;  // modifier keys pressed on their own
    }
    events.append(QStringLiteral("key %1 %2").arg(key.virtualKey).arg(key.text));
    return true;
}

void RecordingOwner::onRowTapped(int row, bool wasSelected) {
    events.append(QStringLiteral("tapped %1 %2").arg(row).arg(int(wasSelected)));
}

void RecordingOwner::onFocusChanged(int row) {
    events.append(QStringLiteral("focus %1").arg(row));
}

void RecordingOwner::onLongPress(QPoint pos) {
    events.append(QStringLiteral("longpress %1,%2").arg(pos.x()).arg(pos.y()));
}

void RecordingOwner::onActivate(int row) {
    events.append(QStringLiteral("activate %1").arg(row));
}

void RecordingOwner::drawRow(QPainter& painter, const QRect& box, int row, unsigned state) {
    if (drawnStates.size() <= row) {
        drawnStates.resize(row + 1);
    }
    drawnStates[row] = state;
    const bool selected = (state & rowstate::kSelected) == rowstate::kSelected;
    const bool focused = state & rowstate::kListFocused;
    painter.fillRect(box, selected ? (focused ? QColor(0x00, 0x00, 0x82) : QColor(0xBF, 0xBF, 0xBF))
                                   : QColor(Qt::white));
    painter.setPen(selected && focused ? Qt::white : Qt::black);
    painter.setFont(tahomaFont(box.height() * 11 / 16));
    const QRect text = box.adjusted(box.height() / 3, 0, -box.height() / 3, 0);
    static const char* const names[] = {"Adams, Anna",  "Baker, Boris", "Chen, Carla",
                                        "Dvořák, Dana", "Evans, Emil",  "Фёдоров, Иван"};
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                     QString::fromUtf8(names[row % 6]) + QStringLiteral(" %1").arg(row));
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignRight,
                     QStringLiteral("+49 30 %1").arg(1000 + row * 7));
}

bool RecordingOwner::hitTest(QPoint pos) {
    const bool taken = takeTapsFromX >= 0 && pos.x() >= takeTapsFromX;
    if (taken) {
        events.append(QStringLiteral("hittest %1,%2").arg(pos.x()).arg(pos.y()));
    }
    return taken;
}

}  // namespace kontavo::test
