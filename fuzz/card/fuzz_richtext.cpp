// Fuzz target: the card's markup parser and line breaking on arbitrary text.
// Input: two bytes (box width in pixels, flags), then UTF-8 text; text after
// the first NUL goes in as literal text after the markup. Qt keeps its font
// caches to the end of the process: run with ASAN_OPTIONS=detect_leaks=0.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "card/richfontcache.h"
#include "card/richmarkup.h"
#include "card/richtextparser.h"
#include "card/richtextrenderer.h"

namespace {

QGuiApplication& application() {
    static int argc = 1;
    static char name[] = "fuzz_richtext";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
    return app;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    application();
    static kontavo::RichFontCache cache(QFont(QStringLiteral("DejaVu Sans")), 96);
    const int width = data[0];
    const unsigned flags = unsigned(data[1]) & 0x17F;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    const qsizetype split = bytes.indexOf('\0');
    const QString markup = QString::fromUtf8(split < 0 ? bytes : bytes.left(split));
    const QString literal = split < 0 ? QString() : QString::fromUtf8(bytes.mid(split + 1));

    kontavo::RichMarkup text;
    text.tags(markup).text(literal);
    kontavo::RichText parsed = text.parse(cache);
    // What the parse draws is what the markup says it draws.
    if (parsed.plainText() != text.plainText()) {
        __builtin_trap();
    }
    if (kontavo::RichTextParser::parse(markup, cache).size() > markup.size()) {
        __builtin_trap();
    }
    parsed.measure(cache);
    int previousEnd = 0;
    for (const kontavo::RichLine& line : kontavo::breakRichLines(parsed, width, flags)) {
        if (line.start < previousEnd || line.end < line.start || line.end > parsed.size()) {
            __builtin_trap();
        }
        previousEnd = line.end;
    }
    QImage image(64, 32, QImage::Format_RGB32);
    QPainter painter(&image);
    QRect box(0, 0, width, 32);
    kontavo::RichTextRenderer(cache).draw(&painter, parsed, box, flags);
    return 0;
}
