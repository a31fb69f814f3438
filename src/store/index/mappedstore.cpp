#include "store/index/mappedstore.h"

#include <QFile>

#include "diag/errorlog.h"
#include "diag/fatal.h"
#include "platform/devicefs.h"
#include "platform/sharedregion.h"
#include "store/index/storefile.h"

namespace kontavo {

namespace {

constexpr uint32_t kSizeWordBytes = 4;

uint32_t readLe32(const uint8_t* bytes) {
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
           uint32_t(bytes[3]) << 24;
}

void writeLe32(uint8_t* bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = uint8_t(value >> (8 * i));
    }
}

}  // namespace

void failMappedFile(FatalSource source) {
    logError(QStringLiteral("Unable open memory as mapped file!!!"), source.file, "", source.line);
    raiseFatal(FatalCode::OutOfMemory);
}

void growOrFail(StoreMemory& memory, uint32_t newSize, FatalSource source) {
    if (!memory.resize(newSize)) {
        failMappedFile(source);
    }
}

QString StoreLocation::regionNameFor(const QString& devicePath) {
    QString name = devicePath;
    name.remove(QLatin1Char('\\'));
    return name.toUpper();
}

StoreLocation StoreLocation::inTemporaryFolder(const DeviceFs& fs, const QString& fileName) {
    const QString devicePath = DeviceFs::join(DeviceFs::temporaryFolder(), fileName);
    return {fs.hostPath(devicePath).value_or(QString()), fs.root(), regionNameFor(devicePath)};
}

MappedStore::MappedStore(StoreLocation location, StoreWriter::Done flushDone)
    : m_location(std::move(location)), m_flushDone(std::move(flushDone)) {}

MappedStore::~MappedStore() {
    close();
}

bool MappedStore::isValidFile(const uint8_t* bytes, uint64_t length) {
    return length > 3 && length - kSizeWordBytes <= kMaxDataBytes &&
           readLe32(bytes + length - 4) == length;
}

MappedStore::LoadResult MappedStore::load(uint32_t minimumSize) {
    return loadFrom(minimumSize, nullptr);
}

MappedStore::LoadResult MappedStore::load(uint32_t minimumSize, const StoreFile& file) {
    return loadFrom(minimumSize, &file);
}

// Without a file given, the file is opened behind the gate, so that it is the
// one the last holder of the region wrote back.
MappedStore::LoadResult MappedStore::loadFrom(uint32_t minimumSize, const StoreFile* file) {
    close();
    LoadResult result = LoadResult::Unavailable;
    m_region = SharedRegion::open(
        m_location.regionScope, m_location.regionName, kReservedBytes, [&](SharedRegion& region) {
            if (file != nullptr) {
                return readFileInto(*file, region, result);
            }
            return readFileInto(StoreFile(m_location.hostPath), region, result);
        });
    if (!m_region) {
        return result;
    }
    if (!m_region->existed()) {
        return LoadResult::Loaded;
    }
    if (size() < minimumSize && !resize(minimumSize)) {
        close();
        return LoadResult::Unavailable;
    }
    return LoadResult::Attached;
}

// Runs while no other process can attach: the new region gets the file's
// data, or is dropped when the file is missing or fails the trailer check.
// Opening never waits: a FIFO or device in the file's place is refused, not
// read.
bool MappedStore::readFileInto(const StoreFile& file, SharedRegion& region, LoadResult& result) {
    if (file.state() != StoreFile::State::Valid) {
        result =
            file.state() == StoreFile::State::Missing ? LoadResult::Missing : LoadResult::Invalid;
        return false;
    }
    result = LoadResult::Invalid;
    const uint32_t length = file.fileLength();
    uint8_t* bytes = region.data() + kSizeWordBytes;
    if (!region.commit(kSizeWordBytes) ||
        !region.copyFrom(file.descriptor(), kSizeWordBytes, length) ||
        !isValidFile(bytes, length)) {
        return false;
    }
    // The trailer read into the region is data no longer.
    writeLe32(bytes + length - 4, 0);
    writeLe32(region.data(), length - kSizeWordBytes);
    return true;
}

bool MappedStore::create(uint32_t size) {
    close();
    QFile::remove(m_location.hostPath);
    if (size > kMaxDataBytes) {
        return false;
    }
    m_region = SharedRegion::open(m_location.regionScope, m_location.regionName, kReservedBytes,
                                  [size](SharedRegion& region) {
                                      if (!region.commit(kSizeWordBytes + size)) {
                                          return false;
                                      }
                                      writeLe32(region.data(), size);
                                      return true;
                                  });
    if (m_region && m_region->existed()) {
        close();
        return false;
    }
    return m_region != nullptr;
}

bool MappedStore::isHeld() const {
    return SharedRegion::isHeld(m_location.regionScope, m_location.regionName);
}

void MappedStore::close() {
    m_writer.finish();
    m_region.reset();
}

uint8_t* MappedStore::data() {
    return m_region ? m_region->data() + kSizeWordBytes : nullptr;
}

const uint8_t* MappedStore::data() const {
    return m_region ? m_region->data() + kSizeWordBytes : nullptr;
}

uint32_t MappedStore::size() const {
    if (!m_region) {
        return 0;
    }
    // Another process writes this word too: never trust it past the reservation.
    const uint32_t inUse = readLe32(m_region->data());
    return inUse <= kMaxDataBytes ? inUse : kMaxDataBytes;
}

bool MappedStore::resize(uint32_t newSize) {
    if (!m_region || newSize > kMaxDataBytes || !m_region->commit(kSizeWordBytes + newSize)) {
        return false;
    }
    writeLe32(m_region->data(), newSize);
    return true;
}

void MappedStore::startFlush() {
    if (m_region) {
        m_writer.start(m_location.hostPath, data(), size(), m_flushDone);
    }
}

void MappedStore::stopFlush() {
    m_writer.stop();
}

}  // namespace kontavo
