// Fuzz target: reading "Contact template.tpl" from arbitrary bytes.
// Checks that the lines do not depend on the chunk size and that writing what
// was read and reading it again gives the same file.
#include <QBuffer>
#include <cstddef>
#include <cstdint>

#include "card/contacttemplate.h"
#include "card/contacttemplatecodec.h"
#include "card/utf16linereader.h"

namespace {

QStringList linesOf(const QByteArray& bytes, qint64 chunkSize) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return kontavo::readUtf16Lines(buffer, chunkSize);
}

QByteArray readAndWrite(const QByteArray& bytes) {
    kontavo::ContactTemplate tmpl(16);
    kontavo::decodeContactTemplate(linesOf(bytes, 1024), tmpl);
    return kontavo::encodeContactTemplate(tmpl);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const qint64 chunk = size > 0 ? data[0] % 13 + 1 : 1;
    if (linesOf(bytes, chunk) != linesOf(bytes, 1024)) {
        __builtin_trap();
    }
    const QByteArray written = readAndWrite(bytes);
    if (readAndWrite(written) != written) {
        __builtin_trap();
    }
    return 0;
}
