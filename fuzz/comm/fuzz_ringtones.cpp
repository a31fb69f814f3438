// Fuzz target: "Category ringtones.inf" as read from the device. Whatever
// the bytes, decoding never reads past them, and a table it accepts is
// written back to the same entries.
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "comm/ringtonecodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kontavo;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto entries = ringtonecodec::decode(bytes);
    if (!entries) {
        return 0;
    }
    const auto written = ringtonecodec::encode(*entries);
    // The terminators' values are not checked, so only the size is compared.
    if (!written || ringtonecodec::decode(*written) != entries || written->size() > bytes.size()) {
        std::abort();
    }
    return 0;
}
