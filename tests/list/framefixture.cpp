#include "framefixture.h"

#include "list/contactlistmodel.h"
#include "platform/locale.h"
#include "store/index/lettergroupset.h"

namespace kontavo::test {

FrameFixture::FrameFixture(int dpi) : screen(dpi, dpi) {
    window.resize(screen.scaleX(240), screen.scaleY(294));
    host.window = &window;
    for (int i = 0; i < 30; ++i) {
        entries.append(
            {Oid(100 + i), {}, QStringLiteral("Person %1").arg(i, 2, 10, QChar('0')), {}, {}});
    }
}

FrameFixture::~FrameFixture() {
    destroyFrame();
}

bool FrameFixture::create(ContactStoreSession* store, ContactManager* manager, bool realList) {
    ContactsFrameServices services;
    services.host = &host;
    services.settings = &device.settings();
    services.device = &device.fs();
    services.store = store;
    services.changeFlags = &flags;
    services.actions = actions;
    services.letterGroups = LetterGroupSet::loadActiveSet(device.settings(), Locale::user());
    services.screen = screen;
    services.features = features;
    services.chooseVCardFile = chooseVCardFile;
    services.chooseCategories = chooseCategories;
    services.makeList = [this, manager, store, realList]() -> std::unique_ptr<FrameListModel> {
        if (realList) {
            return makeContactListModel(*store, device.registry(), &device.fs(), screen, actions,
                                        features, chooseCategories);
        }
        auto model = std::make_unique<TestListModel>(manager, screen);
        model->fixedEntries = entries;
        m_model = model.get();
        return model;
    };
    m_frame = std::make_unique<ContactsFrame>(std::move(services));
    if (!m_frame->create(&window, QRect(QPoint(0, 0), window.size()))) {
        return false;
    }
    m_frame->showFrame();
    window.show();
    return true;
}

void FrameFixture::destroyFrame() {
    m_frame.reset();
    m_model = nullptr;
}

}  // namespace kontavo::test
