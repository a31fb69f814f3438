#include "list/contactsframelayout.h"

namespace kontavo {

AbcMode abcModeFromSetting(int value) {
    return value >= 0 && value <= 2 ? AbcMode(value) : AbcMode::Small;
}

ContactsFrameLayout::Rects ContactsFrameLayout::compute(const Input& input) const {
    Rects rects;
    const int left = input.client.left();
    const int width = input.client.width();
    const int top = input.client.top();
    int bottom = input.client.top() + input.client.height();  // exclusive
    if (!input.splitVisible && input.sipUp) {
        bottom = qMin(bottom, input.sipTop);  // the list stays above the panel
    }

    const int rowTop = top + m_screen.scaleY(1);
    const int rowHeight = m_screen.scaleY(kTopRowHeight);
    const int searchWidth = m_screen.scaleX(kSearchWidth);
    const int searchLeft = left + width - m_screen.scaleX(1) - searchWidth;
    rects.searchField = QRect(searchLeft, rowTop, searchWidth, rowHeight);
    rects.categoryButton = QRect(left, rowTop, qMax(0, searchLeft - left), rowHeight);

    int y = rowTop + rowHeight;
    rects.smallBarShown = input.abcMode == AbcMode::Small;
    if (rects.smallBarShown) {
        rects.smallBar = QRect(left, y, width, input.smallBarHeight);
        y += input.smallBarHeight;
    } else {
        y += m_screen.scaleY(1);
    }

    rects.bigBarShown = input.abcMode == AbcMode::Big && !input.sipUp;
    if (rects.bigBarShown) {
        const QSize size = input.bigBarSize;
        bottom -= size.height();
        rects.bigBar =
            QRect(left + (width - size.width()) / 2, bottom, size.width(), size.height());
    }

    rects.splitterShown = input.splitVisible;
    rects.pane = QRect(left, y, width, qMax(0, bottom - y));
    return rects;
}

}  // namespace kontavo
