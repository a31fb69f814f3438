// Fuzz target: the string-table parser on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "diag/stringtable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const kontavo::StringTable table = kontavo::StringTable::parse(bytes);
    for (int id : {0, 1, 101, -1}) {
        (void)table.find(id);
    }
    return 0;
}
