#pragma once

#include <QList>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "platform/windowregistry.h"
#include "store/contacts/indexsharing.h"
#include "store/sync/pimsyncblock.h"

namespace kontavo {

class NamedMutex;
class SharedRegion;

// The coordination of the programs that share one device's index
// (docs/sharing.md): a 68-byte block in named shared memory
// (PimSyncBlock) listing their main windows with the master in slot 0, and
// seven change flags, read and written only under a named mutex; and five
// registered window messages that announce master changes, stops and
// reloads. No message is ever sent while the mutex is held: the windows to
// tell are copied out first.
//
// Every send waits for the receiver to handle the message (and answers the
// sends reaching this program meanwhile, see WindowRegistry). A receiver
// passes the messages to handleMessage(), which keeps this object's master
// state and calls the program's IndexParticipant.
//
// A program that cannot open the block is its own master. One per program;
// UI thread only. The registry must outlive the object.
class PimSync final : public IndexSharing {
public:
    static constexpr const char* kBlockName = "450DC470-F520-401d-8A4B-F51506298DBE";
    static constexpr const char* kMutexName = "9694E7F0-1902-4855-AA4D-F879CF68BE6A";

    // The registered messages, in the order of kMessageNames.
    enum class Message { ChangeToMaster, ChangeToSlave, SlaveStop, SlaveReload, UpdateLinkType };
    static constexpr std::array<const char*, 5> kMessageNames = {
        "PimSyncChangeToMaster", "PimSyncChangeToSlave", "PimSyncSlaveStop", "PimSyncSlaveReload",
        "PimSyncUpdateLinkType"};

    // How long a send waits for a live receiver before the protocol goes on
    // without its answer (a program stopped in a debugger must not hold
    // every other one for ever).
    static constexpr int kSendTimeoutMs = 60000;

    // The block of the device whose root is `scope`.
    PimSync(WindowRegistry& windows, QString scope);
    ~PimSync() override;  // close()
    PimSync(const PimSync&) = delete;
    PimSync& operator=(const PimSync&) = delete;

    // Creates or opens the mutex and the block, and registers the five
    // messages; any failure leaves the object closed (and this program its
    // own master).
    bool open();
    // Releases the block (without unregistering).
    void close();
    bool isOpen() const { return m_region != nullptr; }

    // Removes every listed window that no longer exists, moving later ones
    // up; when that puts another window in slot 0: stop, "change to master"
    // to it, reload.
    void compact();
    // After compact(), lists `window` in the first free slot; false when all
    // ten are taken (the program then stays outside). Master when it landed
    // in slot 0.
    bool registerWindow(WindowHandle window);
    // After compact(), takes the own window off the list; a master hands
    // over to the window now in slot 0 (stop, "change to master", reload).
    void unregisterWindow();
    // Makes this registered program the master: its window changes places
    // with slot 0; "change to slave" to the previous master, stop, "change
    // to master" to itself, reload. Nothing when already master (nor when
    // already in slot 0: it only becomes master then).
    void becomeMaster();

    bool isRegistered() const { return m_registered; }
    WindowHandle ownWindow() const { return m_own; }
    // IndexSharing.
    bool isMaster() const override { return !isOpen() || m_master; }
    void broadcastStop() override;
    void broadcastReload() override;
    bool forwardPreferredItem(Oid oid, uint32_t tag) override;

    // Change flag `index` (0-6); 0 and no change for other indices.
    int32_t flag(int index);
    void setFlag(int index, int32_t value);

    // The listed windows, slot 0 first.
    QList<WindowHandle> participants();
    // The message a number stands for in this registry.
    std::optional<Message> messageOf(uint32_t id) const;
    uint32_t messageId(Message message) const { return m_ids[size_t(message)]; }

    // What the program does on receiving a message: the master state kept
    // here ("change to master" / "to slave"), then the participant.
    void handleMessage(Message message, uint32_t wParam, uint32_t lParam,
                       IndexParticipant& participant);

private:
    // Applies `change` to the block under the mutex; the block before it.
    std::optional<PimSyncBlock> update(const std::function<void(PimSyncBlock&)>& change);
    void send(WindowHandle window, Message message, uint32_t wParam = 0, uint32_t lParam = 0);
    void sendEach(const QList<WindowHandle>& windows, Message message);
    void handOver(WindowHandle master, const QList<WindowHandle>& others);

    WindowRegistry& m_windows;
    QString m_scope;
    std::unique_ptr<NamedMutex> m_mutex;
    std::unique_ptr<SharedRegion> m_region;
    std::array<uint32_t, 5> m_ids{};
    WindowHandle m_own = 0;
    bool m_registered = false;
    bool m_master = false;
};

}  // namespace kontavo
