#pragma once

#include <QWidget>
#include <memory>

#include "list/changeflagsink.h"
#include "list/contactsframe.h"
#include "support/recordingactions.h"
#include "support/tempdevice.h"
#include "testframehost.h"
#include "testlistmodel.h"

namespace kontavo::test {

// Records the change flags raised.
class RecordingFlags final : public ChangeFlagSink {
public:
    void raise(int flag) override { raised.append(flag); }
    QList<int> raised;
};

// A contacts frame in a 240 x 294 (or 480 x 588) main window stand-in on a
// temporary device, with the English letter groups and a test list model.
class FrameFixture {
public:
    explicit FrameFixture(int dpi = 96);
    ~FrameFixture();

    // Makes and creates the frame; false when creation failed. With a
    // store, `realList` gives the frame the program's contact list instead
    // of the test model.
    bool create(ContactStoreSession* store = nullptr, ContactManager* manager = nullptr,
                bool realList = false);
    void destroyFrame();

    ContactsFrame& frame() { return *m_frame; }
    TestListModel& list() { return *m_model; }
    QWidget* listView() { return m_frame->list()->view(); }

    Screen screen;
    TempDevice device;
    TestFrameHost host;
    RecordingFlags flags;
    QWidget window;
    QList<ListEntry> entries;                   // what a model without a store lists
    FeatureSet features = FeatureSet::built();  // what the frame and its list offer
    ContactActions* actions = nullptr;          // given to the frame when set before create()
    // Stands for the vCard file dialog when set before create().
    std::function<std::optional<QString>(VCardFileChoice::Mode)> chooseVCardFile;
    CategoryListRunner chooseCategories;        // the category list dialog, when set

private:
    std::unique_ptr<ContactsFrame> m_frame;
    TestListModel* m_model = nullptr;
};

}  // namespace kontavo::test
