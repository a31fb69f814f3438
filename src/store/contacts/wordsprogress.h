#pragma once

#include <optional>

#include "store/contacts/contactobserver.h"
#include "store/index/progressmeter.h"

namespace kontavo {

class ProgressSink;

// The observer a words rebuild reports to: passes every call on to the
// manager's own observer and shows the rebuild's steps (0..20) in the
// progress window ("Reindex database") while it lives. Both may be null.
// UI thread only.
class WordsProgress final : public ContactObserver {
public:
    static constexpr int kSteps = 20;

    WordsProgress(ContactObserver* target, ProgressSink* progress);

    void onCreated(Oid oid) override;
    void onChanged(Oid oid) override;
    void onDeleted(Oid oid) override;
    void onReloaded() override;
    void onIndexProgress(int step) override;
    void setIdle(bool idle) override;
    void setBacklog(bool backlog) override;

private:
    ContactObserver* m_target;
    ProgressMeter m_meter;
};

}  // namespace kontavo
