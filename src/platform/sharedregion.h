#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace kontavo {

// A named block of memory shared by every process of this user that opens
// the same (scope, name): a POSIX shared-memory segment mapped whole. Pages
// are taken only when touched or committed, so a large reservation costs
// nothing until it is used.
//
// A region "already exists" only while some live process holds it: every
// holder keeps a shared flock on the region's lock file in the run-time
// folder. A segment left behind by processes that died is discarded and
// recreated empty. The last holder to close a region removes its segment, as
// the handheld drops a mapping when its last handle closes.
//
// Opening and closing are serialised between processes by a gate lock, so
// `initialise` fills a new region before any other process can attach to it.
//
// The mapping itself is shared state: callers arrange who writes when. The
// object is not thread-safe; data() may be read by other threads while the
// object lives.
class SharedRegion {
public:
    // Fills a newly created region; returning false drops the region and
    // makes open() fail.
    using Initialiser = std::function<bool(SharedRegion&)>;

    // Opens the region `name` of `scope` (the device root) with `size` bytes,
    // creating it when no live process holds it. nullptr when the run-time
    // folder, the segment or the mapping is unavailable, when an existing
    // segment is smaller than `size`, or when `initialise` refuses.
    static std::unique_ptr<SharedRegion> open(const QString& scope, const QString& name,
                                              size_t size, const Initialiser& initialise = {});
    // True when some live process holds the region `name` of `scope` (or is
    // opening it), so that open() would attach to it rather than create it.
    // Advisory: a holder may leave, or another process come, right after.
    static bool isHeld(const QString& scope, const QString& name);

    ~SharedRegion();
    SharedRegion(const SharedRegion&) = delete;
    SharedRegion& operator=(const SharedRegion&) = delete;

    uint8_t* data() const { return m_data; }
    size_t size() const { return m_size; }
    // True when another live process held the region when it was opened.
    bool existed() const { return m_existed; }

    // Backs the first `bytes` bytes with memory now, so that touching them
    // can never fault; false when the system cannot supply it. Bytes this
    // object committed or copied in before are not backed again.
    bool commit(size_t bytes);
    // Copies `length` bytes of the file `fd` (from its start) into the region
    // at `at`, backing them with memory as it goes; false when the file is
    // shorter or the system cannot supply the memory. Written through the
    // segment, which spares mapping each page into this process, and a page
    // at a time whole. `fd`'s file position is left alone.
    bool copyFrom(int fd, size_t at, size_t length);

    // The POSIX shared-memory name used for (scope, name).
    static QString segmentName(const QString& scope, const QString& name);

private:
    SharedRegion() = default;
    bool openGated(const QString& scope, const QString& name, size_t size,
                   const Initialiser& initialise);
    bool attachExisting(const QByteArray& segment, size_t size);
    bool createFresh(const QByteArray& segment, size_t size);
    // Maps the open segment descriptor; records it as this region's segment.
    bool mapSegment(const QByteArray& segment, size_t size, bool existed);

    QByteArray m_segment;
    uint8_t* m_data = nullptr;
    size_t m_size = 0;
    int m_segmentFd = -1;
    int m_holdFd = -1;
    size_t m_committed = 0;  // bytes from the start backed by this object
    QString m_gatePath;
    bool m_existed = false;
};

}  // namespace kontavo
