#pragma once

#include <memory>

#include "comm/categorylistdialog.h"
#include "list/framelistmodel.h"
#include "platform/screen.h"
#include "ui/features.h"

namespace kontavo {

class ContactActions;
class ContactStoreSession;
class DeviceFs;
class Registry;

// The contacts frame's list over an open store: the ContactList (rows,
// drawing, phone menu, category filter, recently used contacts, deletion)
// with its store over the session's contact manager and its dialogs on
// screen, its calls and e-mails going to `actions` (may be null: they go
// nowhere); its menus offer the items of `features`, the filter's "More..."
// only with `chooseCategories` (the category list dialog). `session`,
// `registry`, `device` (may be null: not a phone) and `actions` must outlive
// the model.
std::unique_ptr<FrameListModel> makeContactListModel(
    ContactStoreSession& session, Registry& registry, const DeviceFs* device, const Screen& screen,
    ContactActions* actions = nullptr, const FeatureSet& features = FeatureSet::built(),
    CategoryListRunner chooseCategories = {});

}  // namespace kontavo
