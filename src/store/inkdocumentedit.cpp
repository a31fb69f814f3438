#include "store/inkdocumentedit.h"

#include <QHash>
#include <QSet>

#include "store/inkparagraphtable.h"
#include "store/inkrewriter.h"
#include "store/pocketwordink.h"

namespace kontavo::ink {

namespace {

using Entry = InkParagraphTable::Entry;

// A document with its records, paragraphs and "@" table, ready to rewrite.
struct LoadedDocument {
    Walk walk;
    QList<Paragraph> paragraphs;
    int tableIndex = -1;
    InkParagraphTable table;
};

std::optional<LoadedDocument> load(QByteArrayView doc) {
    LoadedDocument loaded;
    loaded.walk = walkRecords(doc);
    loaded.tableIndex = loaded.walk.firstOf(rectype::kTable);
    if (!loaded.walk.intact || loaded.tableIndex < 0) {
        return std::nullopt;
    }
    const Record& record = loaded.walk.records[loaded.tableIndex];
    const auto table = InkParagraphTable::parse(doc.sliced(record.bodyOffset(), record.bodyLength));
    if (!table) {
        return std::nullopt;
    }
    loaded.table = *table;
    loaded.paragraphs = readParagraphs(doc, loaded.walk);
    return loaded;
}

// Stores the table's new entries in its record (type, size high byte and id kept).
bool replaceTable(LoadedDocument& loaded, const QList<Entry>& entries, InkRewriter& rewriter) {
    if (!loaded.table.setEntries(entries)) {
        return false;
    }
    const Record& record = loaded.walk.records[loaded.tableIndex];
    auto bytes = buildRecord(record.type, record.id, loaded.table.body());
    if (!bytes) {
        return false;
    }
    (*bytes)[1] = char(record.sizeHigh);
    rewriter.replace(loaded.tableIndex, *bytes);
    return true;
}

// A new "A"/"B" pair holding `coded`.
std::optional<QByteArray> newParagraphPair(uint16_t id, QByteArrayView coded, Entry& entry) {
    const auto paragraph = buildParagraphRecord(id, uint16_t(id + 1), coded);
    if (!paragraph) {
        return std::nullopt;
    }
    entry = Entry{id, uint16_t(decodeText(coded).charCount())};
    return *paragraph + buildCompanionRecord(uint16_t(id + 1), entry.chars);
}

}  // namespace

std::optional<QByteArray> appendInkParagraphs(QByteArrayView doc,
                                              const QList<QByteArray>& codedParagraphs) {
    auto loaded = load(doc);
    const qsizetype count = codedParagraphs.size();
    if (!loaded || loaded->walk.highestId() + 2 * count + 1 > 0xFFFF) {
        return std::nullopt;
    }
    InkRewriter rewriter(doc, loaded->walk);
    QList<Entry> entries = loaded->table.entries();
    QByteArray inserted;
    for (qsizetype k = 0; k < count; ++k) {
        const auto id = uint16_t(loaded->walk.highestId() + 2 * (k + 1));
        Entry entry;
        const auto pair = newParagraphPair(id, codedParagraphs[k], entry);
        if (!pair) {
            return std::nullopt;
        }
        inserted += *pair;
        entries.append(entry);
    }
    if (!replaceTable(*loaded, entries, rewriter)) {
        return std::nullopt;
    }
    const int closing = loaded->walk.firstOf(rectype::kClosing);
    rewriter.insertBefore(closing < 0 ? int(loaded->walk.records.size()) : closing, inserted);
    return rewriter.result();
}

namespace {

// Carries out one cut: decides per paragraph what stays, then rewrites.
class Cutter {
public:
    Cutter(QByteArrayView doc, LoadedDocument& loaded, const InkCut& cut)
        : m_doc(doc), m_loaded(loaded), m_cut(cut), m_rewriter(doc, loaded.walk) {}

    std::optional<QByteArray> run();

private:
    // The coded text that stays of paragraph `index`, or null when it goes.
    QByteArray keptText(int index);
    void noteObjects(const Paragraph& paragraph, qsizetype cutStart, qsizetype cutEnd);
    bool shorten(const Paragraph& paragraph, const QByteArray& coded);
    void remove(const Paragraph& paragraph);
    bool placeFirstParagraph();
    QList<Entry> rewrittenEntries() const;

    QByteArrayView m_doc;
    LoadedDocument& m_loaded;
    InkCut m_cut;
    InkRewriter m_rewriter;
    QSet<uint16_t> m_removedIds;
    QHash<uint16_t, uint16_t> m_newChars;
    QSet<uint16_t> m_cutObjects;
    QSet<uint16_t> m_keptObjects;
    std::optional<Entry> m_placeholder;
};

QByteArray Cutter::keptText(int index) {
    const Paragraph& paragraph = m_loaded.paragraphs[index];
    const DecodedText& decoded = paragraph.decoded;
    const qsizetype cutStart = index == m_cut.first ? m_cut.firstChar : 0;
    const qsizetype cutEnd = index == m_cut.last ? m_cut.endChar : decoded.text.size();
    const bool keepHead = !decoded.text.first(cutStart).trimmed().isEmpty();
    const bool keepTail = !decoded.text.sliced(cutEnd).trimmed().isEmpty();
    if (!keepHead && !keepTail) {
        noteObjects(paragraph, 0, paragraph.coded.size());
        return QByteArray();
    }
    const qsizetype from = decoded.offsetOf(cutStart);
    const qsizetype to = decoded.offsetOf(cutEnd);
    noteObjects(paragraph, from, to);
    const QByteArray head = paragraph.coded.first(from);
    const QByteArray tail = paragraph.coded.sliced(to);
    if (m_cut.first == m_cut.last) {
        return head + tail;
    }
    if (index == m_cut.first) {
        return head + endOfParagraph();
    }
    // The tail starts in the formatting that was in force where the cut ended.
    QByteArray formatting;
    for (const CodeSpan& span : decoded.formatting) {
        if (span.offset < to) {
            formatting += paragraph.coded.sliced(span.offset, span.length);
        }
    }
    return formatting + tail;
}

void Cutter::noteObjects(const Paragraph& paragraph, qsizetype cutStart, qsizetype cutEnd) {
    const DecodedText& decoded = paragraph.decoded;
    for (qsizetype i = 0; i < decoded.objects.size(); ++i) {
        const qsizetype at = decoded.objectOffsets[i];
        (at >= cutStart && at < cutEnd ? m_cutObjects : m_keptObjects).insert(decoded.objects[i]);
    }
}

bool Cutter::shorten(const Paragraph& paragraph, const QByteArray& coded) {
    const Record& record = m_loaded.walk.records[paragraph.recordIndex];
    const int chars = decodeText(coded).charCount();
    if (coded.size() > 0xFFFF || chars > 0xFFFF) {
        return false;
    }
    QByteArray body;
    appendU16(body, uint16_t(chars));
    appendU16(body, uint16_t(coded.size()));
    // The fixed fields after the two counts are carried over (the body is at
    // least that long, or the paragraph would have no text to keep).
    body += m_doc.sliced(record.bodyOffset() + 4, kParagraphPrefixSize - 4).toByteArray();
    body += coded;
    auto bytes = buildRecord(record.type, record.id, body);
    if (!bytes) {
        return false;
    }
    m_rewriter.replace(paragraph.recordIndex, *bytes);
    const int companion = m_rewriter.find(rectype::kCompanion, paragraph.companionId);
    if (companion >= 0 && m_loaded.walk.records[companion].bodyLength >= 2) {
        const Record& b = m_loaded.walk.records[companion];
        QByteArray copy = m_doc.sliced(b.offset, b.end() - b.offset).toByteArray();
        writeU16(copy, kRecordHeaderSize, uint16_t(chars));
        m_rewriter.replace(companion, copy);
    }
    m_newChars.insert(paragraph.id, uint16_t(chars));
    return true;
}

void Cutter::remove(const Paragraph& paragraph) {
    m_rewriter.drop(paragraph.recordIndex);
    const int companion = m_rewriter.find(rectype::kCompanion, paragraph.companionId);
    if (companion >= 0) {
        m_rewriter.drop(companion);
    }
    m_removedIds.insert(paragraph.id);
}

bool Cutter::placeFirstParagraph() {
    const int highest = m_loaded.walk.highestId();
    if (highest + 3 > 0xFFFF) {
        return false;
    }
    Entry entry;
    const auto pair = newParagraphPair(uint16_t(highest + 2), plainParagraphText({}), entry);
    if (!pair) {
        return false;
    }
    m_rewriter.insertBefore(m_loaded.paragraphs[0].recordIndex, *pair);
    m_placeholder = entry;
    return true;
}

QList<Entry> Cutter::rewrittenEntries() const {
    QList<Entry> entries;
    bool placed = !m_placeholder;
    for (Entry entry : m_loaded.table.entries()) {
        if (m_removedIds.contains(entry.id)) {
            if (!placed) {
                entries.append(*m_placeholder);
                placed = true;
            }
            continue;
        }
        entry.chars = m_newChars.value(entry.id, entry.chars);
        entries.append(entry);
    }
    if (!placed) {
        entries.prepend(*m_placeholder);
    }
    return entries;
}

std::optional<QByteArray> Cutter::run() {
    for (int i = 0; i < m_loaded.paragraphs.size(); ++i) {
        const Paragraph& paragraph = m_loaded.paragraphs[i];
        if (i < m_cut.first || i > m_cut.last) {
            noteObjects(paragraph, 0, 0);
            continue;
        }
        const QByteArray kept = keptText(i);
        if (kept.isNull()) {
            remove(paragraph);
        } else if (!shorten(paragraph, kept)) {
            return std::nullopt;
        }
    }
    if (m_removedIds.contains(m_loaded.paragraphs[0].id) && !placeFirstParagraph()) {
        return std::nullopt;
    }
    for (int i = 0; i < m_loaded.walk.records.size(); ++i) {
        const Record& record = m_loaded.walk.records[i];
        if (record.type == rectype::kObject && m_cutObjects.contains(record.id) &&
            !m_keptObjects.contains(record.id)) {
            m_rewriter.drop(i);
        }
    }
    if (!replaceTable(m_loaded, rewrittenEntries(), m_rewriter)) {
        return std::nullopt;
    }
    return m_rewriter.result();
}

}  // namespace

std::optional<QByteArray> cutInkText(QByteArrayView doc, const InkCut& cut) {
    auto loaded = load(doc);
    if (!loaded || cut.first < 0 || cut.first > cut.last || cut.last >= loaded->paragraphs.size()) {
        return std::nullopt;
    }
    const qsizetype firstSize = loaded->paragraphs[cut.first].decoded.text.size();
    const qsizetype lastSize = loaded->paragraphs[cut.last].decoded.text.size();
    if (cut.firstChar < 0 || cut.firstChar > firstSize || cut.endChar < 0 ||
        cut.endChar > lastSize || (cut.first == cut.last && cut.endChar < cut.firstChar)) {
        return std::nullopt;
    }
    return Cutter(doc, *loaded, cut).run();
}

}  // namespace kontavo::ink
