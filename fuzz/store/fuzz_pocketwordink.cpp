// Fuzz target: the Pocket Word Ink codec on arbitrary documents: walking
// records, decoding paragraph text, the "@" table, appending paragraphs and
// cutting text out.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "store/inkdocumentedit.h"
#include "store/inknotetext.h"
#include "store/inkparagraphtable.h"
#include "store/pocketwordink.h"

using namespace kontavo::ink;

namespace {

void exerciseTables(QByteArrayView doc, const Walk& walk) {
    for (const Record& record : walk.records) {
        if (record.type != rectype::kTable) {
            continue;
        }
        const QByteArrayView body = doc.sliced(record.bodyOffset(), record.bodyLength);
        if (auto table = InkParagraphTable::parse(body)) {
            // A table that is not changed writes back as it was read, apart
            // from the chain of preceding ids, which is rebuilt.
            if (table->body().size() != body.size()) {
                std::abort();
            }
            (void)table->setEntries(table->entries().mid(1));
        }
    }
}

void exerciseEdits(QByteArrayView doc, const InkNoteText& note, uint8_t selector) {
    (void)appendInkParagraphs(doc, {plainParagraphText(u"added \u0416"), QByteArray()});
    const QString& text = note.text();
    if (text.isEmpty()) {
        return;
    }
    const qsizetype start = selector % text.size();
    const qsizetype end = start + 1 + (selector / 2) % (text.size() - start);
    if (const auto cut = cutInkText(doc, note.cutFor(start, end))) {
        (void)documentState(*cut);
        if (!walkRecords(*cut).intact) {
            std::abort();  // a rewritten document must walk cleanly
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    (void)decodeText(bytes);
    const Walk walk = walkRecords(bytes);
    (void)documentState(bytes);
    exerciseTables(bytes, walk);
    const InkNoteText note(bytes);
    exerciseEdits(bytes, note, size > 0 ? uint8_t(data[size - 1]) : 0);
    return 0;
}
