#pragma once

#include <cstdint>

namespace kontavo {

// Object identifier of a database or a record, unique across the object
// store (databases and records share one numbering); 0 means none.
using Oid = uint32_t;

// Property tag: (16-bit property id << 16) | 16-bit value type. A record holds
// at most one value per tag; the same id with another type is another property.
using PropTag = uint32_t;

// Value types a property may have.
enum class PropType : uint16_t {
    Int16 = 0x0002,     // signed 16-bit integer
    Int32 = 0x0003,     // signed 32-bit integer
    String = 0x001F,    // UTF-16 string
    FileTime = 0x0040,  // 64-bit FILETIME, 100 ns units since 1601-01-01 UTC
    Blob = 0x0041,      // byte count + bytes
};

// The value type of a tag (its low 16 bits).
constexpr PropType tagType(PropTag tag) {
    return PropType(tag & 0xFFFF);
}

// True when the tag's type is one of the five value types.
constexpr bool hasKnownType(PropTag tag) {
    switch (tagType(tag)) {
        case PropType::Int16:
        case PropType::Int32:
        case PropType::String:
        case PropType::FileTime:
        case PropType::Blob:
            return true;
    }
    return false;
}

// Flags of a property value. A tag written with kPropDelete or'ed into it
// (tag | 0x0200) stands for the deletion of that tag, too.
constexpr uint16_t kPropDelete = 0x0200;    // written: remove this property from the record
constexpr uint16_t kPropNotFound = 0x0400;  // read: the record has no such property

// Error codes reported by the object store, numbered as the handheld's.
enum class DbError : uint32_t {
    None = 0,
    FileNotFound = 2,       // no database of that name
    InvalidData = 13,       // a stored record cannot be decoded
    SeekFailed = 25,        // the Oid or sort value sought does not exist
    InvalidParameter = 87,  // bad tag, value, flag, name or handle state
    DiskFull = 112,         // the file system is full, or no Oid is left
    Busy = 170,             // another process kept the store locked too long
    NoMoreItems = 259,      // no current record: past the last one
    NotFound = 1168,        // the record does not exist in this database
    InternalError = 1359,   // the store is not open or SQLite failed
};

// Kinds of change notifications.
enum class DbNotifyType : uint32_t {
    Created = 0x0401,        // a record was created
    RecordDeleted = 0x0403,  // a record was deleted
    Changed = 0x0406,        // a record's properties were written
    // Events were trimmed from the change log before this handle read them;
    // `oid` is 0. The receiver must treat everything it knows as stale.
    ChangesLost = 0x04FF,
};

// One change of one record, as delivered to handles that asked for them.
struct DbNotification {
    DbNotifyType type = DbNotifyType::Changed;
    Oid parent = 0;  // the database the record belongs to
    Oid oid = 0;     // the record
    // The database's last-modified time (FILETIME) right after this change,
    // given with the last change of the database in one delivery; 0 for the
    // others, whose later changes follow at once. A receiver that has taken
    // in every change up to a stamped one has seen the database as of that
    // time, and no later.
    uint64_t databaseTime = 0;

    // The same change (the stamp is not part of it).
    bool operator==(const DbNotification& other) const {
        return type == other.type && parent == other.parent && oid == other.oid;
    }
};

}  // namespace kontavo
