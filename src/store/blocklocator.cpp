#include "store/blocklocator.h"

#include "platform/ansicodec.h"
#include "store/blockmarkers.h"
#include "store/blockparser.h"

namespace kontavo {

namespace {

template <typename Text, typename Marker, typename Decode>
BlockMatch locate(const Text& text, const Marker& startMarker, const Marker& endMarker,
                  Decode decode) {
    BlockMatch match;
    qsizetype from = 0;
    for (;;) {
        const qsizetype start = text.indexOf(startMarker, from);
        if (start < 0) {
            return match;
        }
        match.found = true;
        const qsizetype contentStart = start + startMarker.size();
        const qsizetype endMarkerAt = text.indexOf(endMarker, contentStart);
        const qsizetype contentEnd = endMarkerAt < 0 ? text.size() : endMarkerAt;
        const auto props =
            parseBlockContent(decode(text.mid(contentStart, contentEnd - contentStart)));
        if (props) {
            match.parsed = true;
            match.start = start;
            match.end = endMarkerAt < 0 ? text.size() : endMarkerAt + endMarker.size();
            match.props = *props;
            return match;
        }
        from = contentStart;
    }
}

}  // namespace

BlockMatch locateBlock(QStringView text) {
    return locate(text, kBlockStartMarker, kBlockEndMarker, [](QStringView s) { return s; });
}

BlockMatch locateBlock(const QByteArray& bytes, const AnsiCodec& codec) {
    const QByteArray start = kBlockStartMarker.toLatin1();
    const QByteArray end = kBlockEndMarker.toLatin1();
    return locate(bytes, start, end, [&codec](const QByteArray& s) { return codec.toUnicode(s); });
}

}  // namespace kontavo
