#include "store/contacts/recordchecksum.h"

namespace kontavo {

namespace {

uint32_t fileTimeSum(uint64_t time) {
    return uint32_t(time) + uint32_t(time >> 32);
}

uint32_t rawPropertySum(const PropValue& value) {
    const uint16_t id = propId(value.tag());
    switch (value.type()) {
        case PropType::String:
            return stringChecksum(value.toString());
        case PropType::Int32:
            return id == propId(kTagPreferredItem) ? uint32_t(value.toInt()) : 0;
        case PropType::FileTime:
            return id == propId(kTagBirthday) || id == propId(kTagAnniversary)
                       ? fileTimeSum(value.toFileTime())
                       : 0;
        case PropType::Blob:
            return id == propId(kTagNotes) ? notesChecksum(value.toBlob()) : 0;
        case PropType::Int16:
            return 0;
    }
    return 0;
}

}  // namespace

uint32_t stringChecksum(QStringView text) {
    uint32_t sum = 0;
    const qsizetype pairs = text.size() / 2;
    for (qsizetype i = 0; i < pairs; ++i) {
        sum += uint32_t(text[2 * i].unicode()) | (uint32_t(text[2 * i + 1].unicode()) << 16);
    }
    if (text.size() % 2 != 0) {
        sum += text.back().unicode();
    }
    return sum;
}

uint32_t notesChecksum(QByteArrayView notes) {
    uint32_t sum = uint32_t(notes.size());
    const qsizetype pairs = notes.size() / 2;
    for (qsizetype i = 0; i < pairs; ++i) {
        sum += uint32_t(uint8_t(notes[2 * i])) | (uint32_t(uint8_t(notes[2 * i + 1])) << 8);
    }
    if (notes.size() % 2 != 0) {
        sum += uint8_t(notes.back());
    }
    return sum;
}

uint32_t recordChecksum(const ContactRecord& record) {
    uint32_t sum = record.oid + record.preferredItemTag;
    sum += fileTimeSum(record.birthday) + fileTimeSum(record.anniversary);
    for (const QString& text : record.fields) {
        sum += stringChecksum(text);
    }
    return sum + notesChecksum(record.notesBlob);
}

uint32_t rawRecordChecksum(const DbRecord& read) {
    uint32_t sum = read.oid;
    for (const PropValue& value : read.props) {
        if (!value.isNotFound() && !value.isDeletion()) {
            sum += rawPropertySum(value);
        }
    }
    return sum;
}

}  // namespace kontavo
