#include "card/countrylistpopup.h"

#include <QListWidget>
#include <QVBoxLayout>

#include "ui/sharedfonts.h"

namespace kontavo {

CountryListPopup::CountryListPopup(const QStringList& names, int current, const QRect& area,
                                   QWidget* parent)
    : QDialog(parent, Qt::Popup), m_list(new QListWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_list);
    m_list->setFont(SharedFonts::current().normal);
    m_list->addItems(names);
    if (current >= 0 && current < names.size()) {
        m_list->setCurrentRow(current);
        m_list->scrollToItem(m_list->currentItem(), QAbstractItemView::PositionAtCenter);
    }
    connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        m_chosen = m_list->row(item);
        accept();
    });
    connect(m_list, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        m_chosen = m_list->row(item);
        accept();
    });
    setGeometry(area);
}

}  // namespace kontavo
