#include "list/listcaption.h"

#include "diag/resources.h"
#include "list/contactrows.h"
#include "list/formatintegers.h"

namespace kontavo {

namespace {
constexpr int kContactCaption = 41203;
constexpr int kCompanyCaption = 41204;
}  // namespace

PositionCaption positionCaption(const ContactRows& rows, RowPos selected) {
    const bool onHeader = selected.isHeader() && selected.group < rows.companyCount();
    const int count = onHeader ? rows.companyCount() : rows.contactCount();
    const int place = onHeader ? selected.group : rows.ordinal(selected);  // -1: none
    const QString format = loadStringStrict(onHeader ? kCompanyCaption : kContactCaption);
    PositionCaption caption;
    caption.text = formatIntegers(format, {place + 1, count});
    caption.previousEnabled = place > 0;
    caption.nextEnabled = place < count - 1;
    return caption;
}

}  // namespace kontavo
