#pragma once

#include <QString>
#include <cstdint>

namespace kontavo {

// The file of a mapped store, opened for reading: the data followed by a
// 32-bit trailer equal to the file's total length. Only a regular file that
// passes the trailer check counts as valid, and reads stay within its data.
// Used to load a store into its region, and to check a store's header
// without loading it. Not thread-safe.
class StoreFile {
public:
    enum class State { Missing, Invalid, Valid };

    // Opens `path` (without blocking on anything that is not a regular
    // file) and checks its length and trailer.
    explicit StoreFile(const QString& path);
    ~StoreFile();
    StoreFile(const StoreFile&) = delete;
    StoreFile& operator=(const StoreFile&) = delete;

    State state() const { return m_state; }
    // The whole file's length and its data's (the length less the trailer),
    // when valid.
    uint32_t fileLength() const { return m_length; }
    uint32_t dataLength() const { return m_length - 4; }
    // The open descriptor, positioned nowhere in particular; -1 when missing.
    int descriptor() const { return m_fd; }

    // Reads `length` bytes of the data at `offset`; false past the data or
    // when the file is not valid.
    bool read(uint32_t offset, void* out, uint32_t length) const;
    // The 32-bit little-endian word at `offset` of the data, 0 past it.
    uint32_t word(uint32_t offset) const;

private:
    int m_fd = -1;
    uint32_t m_length = 0;
    State m_state = State::Missing;
};

}  // namespace kontavo
