#include "card/templategroup.h"

namespace kontavo {

void TemplateGroup::reset() {
    labels.dropCustom();
    selection.clear();
    messengerTypes.dropCustom();
    messengerSelection.clear();
    addrFormat.clear();
    shown = true;
}

}  // namespace kontavo
