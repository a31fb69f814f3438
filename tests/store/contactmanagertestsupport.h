#pragma once

// Recording collaborators of the contact manager for its tests.
#include <QStringList>

#include "store/contacts/contactobserver.h"
#include "store/contacts/operationgate.h"

namespace kontavo::test {

// Records every call as a line: "created 12", "idle 0", "backlog 1", ...
class RecordingObserver final : public ContactObserver {
public:
    void onCreated(Oid oid) override { calls.append(QStringLiteral("created %1").arg(oid)); }
    void onChanged(Oid oid) override { calls.append(QStringLiteral("changed %1").arg(oid)); }
    void onDeleted(Oid oid) override { calls.append(QStringLiteral("deleted %1").arg(oid)); }
    void onReloaded() override { calls.append(QStringLiteral("reloaded")); }
    void onIndexProgress(int step) override {
        calls.append(QStringLiteral("progress %1").arg(step));
    }
    void setIdle(bool idle) override { calls.append(QStringLiteral("idle %1").arg(int(idle))); }
    void setBacklog(bool backlog) override {
        calls.append(QStringLiteral("backlog %1").arg(int(backlog)));
    }
    int count(const QString& call) const { return int(calls.count(call)); }

    QStringList calls;
};

class RecordingGate final : public OperationGate {
public:
    bool mayProceed(int kind, Oid) override {
        asked.append(kind);
        return allow;
    }
    void begin() override { ++begins; }
    void end() override { ++ends; }

    bool allow = true;
    QList<int> asked;
    int begins = 0;
    int ends = 0;
};

}  // namespace kontavo::test
