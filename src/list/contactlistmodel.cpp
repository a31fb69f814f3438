#include "list/contactlistmodel.h"

#include "list/contactlist.h"
#include "list/contactstoresession.h"
#include "list/coollist.h"
#include "list/managerliststore.h"
#include "list/qtcontactlistui.h"

namespace kontavo {

namespace {

// FrameListModel over a ContactList and the store and dialogs it needs.
class ContactListModel final : public FrameListModel {
public:
    ContactListModel(ContactStoreSession& session, Registry& registry, const DeviceFs* device,
                     const Screen& screen, ContactActions* actions, const FeatureSet& features,
                     CategoryListRunner chooseCategories)
        : m_store(session.manager()),
          m_ui(chooseCategories),
          m_list(services(
              m_store, m_ui, registry, device, screen, actions,
              features.with(Feature::CategoryList,
                            features.has(Feature::CategoryList) && bool(chooseCategories)))) {}

    void setListener(Listener listener) override {
        ContactList::Listener forward;
        forward.selectionChanged = std::move(listener.selectionChanged);
        forward.activated = std::move(listener.activated);
        forward.key = std::move(listener.key);
        forward.busy = std::move(listener.busy);
        forward.command = std::move(listener.command);
        m_list.setListener(std::move(forward));
    }
    ContactObserver* observer() override { return m_list.observer(); }
    QWidget* view() override { return m_list.view(); }
    void setNameOnly(bool on) override { m_list.setNameOnly(on); }
    void setDoubleSized(bool on) override { m_list.setDoubleSized(on); }
    void setSortType(int type) override { m_list.setSortType(type); }
    void refill(const ListSearch& search) override { m_list.refill(search); }
    void refresh() override { m_list.refresh(); }
    QList<Oid> selectedOids() const override { return m_list.selectedOids(); }
    Oid selectedContact() const override { return m_list.selectedContact(); }
    bool selectContact(Oid oid) override { return m_list.selectContact(oid); }
    void clearSelection() override { m_list.clearSelection(); }
    void stepSelection(int delta) override { m_list.stepSelection(delta); }
    PositionCaption positionCaption() const override { return m_list.positionCaption(); }
    void deleteSelection() override { m_list.deleteSelection(); }
    void addRecent(Oid oid) override { m_list.addRecent(oid); }
    QString filterCaption() const override { return m_list.filterCaption(); }
    QList<Oid> newContactCategories() const override {
        const CategoryFilterMenu& filter = m_list.filter();
        return filter.mode() == CategoryFilterMenu::Mode::Categories ? filter.categories()
                                                                     : QList<Oid>();
    }
    bool chooseFilter(QWidget* button) override { return m_list.chooseFilter(button); }
    void setListFont(const QFont& font) override { m_list.setListFont(font); }
    void setPhoneTemplates(const PhoneTemplateSet& templates) override {
        m_list.setPhoneTemplates(templates);
    }

private:
    static ContactList::Services services(ManagerListStore& store, QtContactListUi& ui,
                                          Registry& registry, const DeviceFs* device,
                                          const Screen& screen, ContactActions* actions,
                                          const FeatureSet& features) {
        ContactList::Services services;
        services.actions = actions;
        services.store = &store;
        services.ui = &ui;
        services.registry = &registry;
        services.device = device;
        services.screen = screen;
        services.features = features;
        return services;
    }

    ManagerListStore m_store;
    QtContactListUi m_ui;
    ContactList m_list;
};

}  // namespace

std::unique_ptr<FrameListModel> makeContactListModel(ContactStoreSession& session,
                                                     Registry& registry, const DeviceFs* device,
                                                     const Screen& screen, ContactActions* actions,
                                                     const FeatureSet& features,
                                                     CategoryListRunner chooseCategories) {
    return std::make_unique<ContactListModel>(session, registry, device, screen, actions, features,
                                              std::move(chooseCategories));
}

}  // namespace kontavo
