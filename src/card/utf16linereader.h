#pragma once

#include <QStringList>
#include <QtGlobal>

class QIODevice;

namespace kontavo {

// Reads UTF-16 little-endian text from `device` in chunks of `chunkSize`
// bytes and splits it into lines: any run of CR and LF characters ends a
// line, so no line is empty. A line may span chunks, and an odd byte at a
// chunk's end is carried into the next chunk, so the result does not depend
// on the chunk size; an odd byte at the very end is dropped. Code units are
// taken as they are (no byte-order mark handling, no surrogate checks).
// Precondition: chunkSize > 0.
QStringList readUtf16Lines(QIODevice& device, qint64 chunkSize = 1024);

}  // namespace kontavo
