#include "ui/screenstyle.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOptionSlider>

#include "platform/screen.h"
#include "ui/sharedfonts.h"

namespace kontavo {

namespace {

// A filled triangle pointing up or down (vertical bar) or left or right,
// about half as large as the button it sits on.
void drawArrow(QPainter& painter, const QRect& button, Qt::ArrowType direction,
               const QColor& color) {
    const int side = std::max(3, std::min(button.width(), button.height()) * 9 / 20);
    const QPointF c = QRectF(button).center();
    const qreal h = side / 2.0;
    const qreal q = side / 4.0;
    QPainterPath path;
    switch (direction) {
        case Qt::UpArrow:
            path.moveTo(c.x() - h, c.y() + q);
            path.lineTo(c.x() + h, c.y() + q);
            path.lineTo(c.x(), c.y() - q);
            break;
        case Qt::DownArrow:
            path.moveTo(c.x() - h, c.y() - q);
            path.lineTo(c.x() + h, c.y() - q);
            path.lineTo(c.x(), c.y() + q);
            break;
        case Qt::LeftArrow:
            path.moveTo(c.x() + q, c.y() - h);
            path.lineTo(c.x() + q, c.y() + h);
            path.lineTo(c.x() - q, c.y());
            break;
        default:
            path.moveTo(c.x() - q, c.y() - h);
            path.lineTo(c.x() - q, c.y() + h);
            path.lineTo(c.x() + q, c.y());
            break;
    }
    path.closeSubpath();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, color);
    painter.restore();
}

}  // namespace

ScreenStyle::ScreenStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

bool ScreenStyle::isScaled(PixelMetric metric) {
    switch (metric) {
        case PM_MenuHMargin:
        case PM_MenuVMargin:
        case PM_MenuPanelWidth:
        case PM_MenuScrollerHeight:
        case PM_SmallIconSize:
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
        case PM_MessageBoxIconSize:
        case PM_ScrollBarExtent:
        case PM_ScrollBarSliderMin:
            return true;
        default:
            return false;
    }
}

int ScreenStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const {
    const int length = QProxyStyle::pixelMetric(metric, option, widget);
    return isScaled(metric) ? Screen::current().scaleX(length) : length;
}

// The base style draws its scroll bar arrows at a fixed small size; on a
// high-resolution screen they are drawn again at the buttons' scale.
void ScreenStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control != CC_ScrollBar || bar == nullptr || !Screen::current().isHighResolution()) {
        return;
    }
    const bool vertical = bar->orientation == Qt::Vertical;
    const QColor face = bar->palette.button().color().lighter(106);
    const QColor ink = (bar->state & State_Enabled) ? bar->palette.buttonText().color()
                                                    : bar->palette.mid().color();
    const struct {
        SubControl part;
        Qt::ArrowType arrow;
    } buttons[] = {{SC_ScrollBarSubLine, vertical ? Qt::UpArrow : Qt::LeftArrow},
                   {SC_ScrollBarAddLine, vertical ? Qt::DownArrow : Qt::RightArrow}};
    for (const auto& button : buttons) {
        const QRect box = subControlRect(control, bar, button.part, widget);
        if (box.width() < 4 || box.height() < 4) {
            continue;
        }
        painter->fillRect(box.adjusted(2, 2, -2, -2), face);
        drawArrow(*painter, box, button.arrow, ink);
    }
}

void applyScreenLook(const Screen& screen) {
    if (qobject_cast<ScreenStyle*>(QApplication::style()) == nullptr) {
        QApplication::setStyle(new ScreenStyle);
    }
    // Menus slide or fade in with some styles; a menu must stand where the
    // program places it the moment it shows.
    QApplication::setEffectEnabled(Qt::UI_AnimateMenu, false);
    QApplication::setEffectEnabled(Qt::UI_FadeMenu, false);
    QApplication::setFont(standardFont(screen), "QMenu");
}

}  // namespace kontavo
