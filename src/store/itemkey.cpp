#include "store/itemkey.h"

namespace kontavo {

int32_t itemStringSum(QStringView text) {
    uint32_t sum = 0;  // unsigned so that wrapping is defined; read back as signed
    for (qsizetype i = 0; i < text.size(); ++i) {
        const uint16_t c = text[i].unicode();
        const uint16_t unit = (i % 2 == 0) ? c : uint16_t(((c & 0xFF) << 8) | (c > 0xFF ? 1 : 0));
        sum += uint32_t(int32_t(int16_t(unit)));
    }
    return int32_t(sum);
}

uint32_t itemKey(QStringView label, QStringView value) {
    const uint32_t high = 0xF000 | (uint32_t(itemStringSum(label)) & 0xFFFF);
    const uint32_t low = uint32_t(int32_t(int16_t(uint16_t(itemStringSum(value)))));
    return (high << 16) | low;
}

}  // namespace kontavo
