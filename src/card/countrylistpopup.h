#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;

namespace kontavo {

// The country list of "Address format...": every country name in table
// order with the row's current format selected, over `area` (global
// coordinates). A tap on a name chooses it; a tap outside dismisses the
// list. UI thread only.
class CountryListPopup final : public QDialog {
    Q_OBJECT
public:
    CountryListPopup(const QStringList& names, int current, const QRect& area, QWidget* parent);

    // The chosen index, or -1 when dismissed.
    int chosen() const { return m_chosen; }
    QListWidget* list() const { return m_list; }

private:
    QListWidget* m_list;
    int m_chosen = -1;
};

}  // namespace kontavo
