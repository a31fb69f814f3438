// Fuzz target: phone number formatting on arbitrary numbers and templates.
// Input: one flag byte (bit 0: ignore typed dashes), then UTF-8 lines; the
// first line is the number, the others the template list.
#include <cstddef>
#include <cstdint>

#include "comm/filltemplate.h"
#include "comm/phonenumberformat.h"
#include "comm/phonetemplateset.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const bool ignoreDashes = data[0] & 1;
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    QStringList lines = text.split(u'\n');
    const QString number = lines.takeFirst();
    const kontavo::PhoneTemplateSet set(lines, true, ignoreDashes);
    const auto shown = kontavo::formatPhoneNumber(number, set);
    // Formatting is a pure function of its input.
    if (shown != kontavo::formatPhoneNumber(number, set)) {
        __builtin_trap();
    }
    for (const QString& pattern : lines) {
        (void)kontavo::fillTemplate(pattern, number);
        (void)kontavo::phoneTemplateExample(pattern);
    }
    return 0;
}
