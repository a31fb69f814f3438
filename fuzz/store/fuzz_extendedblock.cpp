// Fuzz target: reading, stripping and rewriting the extended property block
// of a note given as arbitrary bytes (plain 8-bit, UTF-16 or Pocket Word Ink).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "diag/resources.h"
#include "store/extendedblock.h"

namespace {

const kontavo::Locale& locale() {
    static const kontavo::Locale instance(QLocale(QLocale::Russian, QLocale::Russia));
    return instance;
}

kontavo::ExtendedProperties sample() {
    kontavo::ExtendedProperties props;
    props.phones = {{"Dacha", "+7 [495]; 1\\2"}};
    props.image = "a.bmp";
    return props;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The writer needs the note template; without it half the paths go unseen.
    if (!kontavo::hasResource(QStringLiteral("NOTE"), 170)) {
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray notes(reinterpret_cast<const char*>(data), qsizetype(size));
    kontavo::ExtendedProperties props;
    QString userText;
    const bool read = kontavo::readBlock(notes, props, userText, locale());
    (void)kontavo::noteToText(notes, locale());
    (void)kontavo::isEmptyDocument(notes);
    const QByteArray userNote = kontavo::stripBlock(notes, locale());
    const auto written =
        kontavo::writeBlock(userNote, read && !props.isEmpty() ? props : sample(), locale());
    if (written) {
        kontavo::ExtendedProperties back;
        // What the writer produced must read back.
        if (!kontavo::readBlock(*written, back, userText, locale())) {
            std::abort();
        }
        (void)kontavo::stripBlock(*written, locale());
    }
    return 0;
}
