#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "store/contacts/contactlistsource.h"
#include "store/record/proptag.h"

namespace kontavo {

// What narrows the list: the search text, or the codes of the picked letter
// groups in order (group mode). Both empty: every contact of the filter.
struct ListSearch {
    QString text;
    QString groupKey;

    bool operator==(const ListSearch&) const = default;
};

// The position caption of the splitter bar ("Contact %i of %i" or
// "Company %i of %i") and which of its arrows are enabled.
struct PositionCaption {
    QString text;
    bool previousEnabled = false;
    bool nextEnabled = false;

    bool operator==(const PositionCaption&) const = default;
};

// The address of a row: in a flat list (0, contact position); in a list
// grouped by company (company, -1) for a header and (company, position in
// the company) for a contact. (-1, -1) is no row.
struct RowPos {
    int group = -1;
    int item = -1;

    bool isValid() const { return group >= 0; }
    bool isHeader() const { return group >= 0 && item < 0; }
    bool operator==(const RowPos&) const = default;
};

}  // namespace kontavo
