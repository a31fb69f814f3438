#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

namespace kontavo {

// Converts between UTF-16 and one of the handheld's Windows "ANSI" code pages
// (1250-1258, 874, 932, 936, 949, 950). A character the code page cannot hold
// becomes '?', one byte per UTF-16 code unit, as the handheld writes it.
// Immutable after construction; safe to share between threads.
class AnsiCodec {
public:
    explicit AnsiCodec(int codePage);
    ~AnsiCodec();
    AnsiCodec(const AnsiCodec&) = delete;
    AnsiCodec& operator=(const AnsiCodec&) = delete;

    int codePage() const { return m_codePage; }
    QByteArray fromUnicode(const QString& text) const;
    // Bytes the code page does not define decode to U+FFFD.
    QString toUnicode(const QByteArray& bytes) const;

    // The shared codec of a code page (created on first use).
    static const AnsiCodec& forCodePage(int codePage);

private:
    struct Tables;
    int m_codePage;
    std::unique_ptr<Tables> m_tables;
};

}  // namespace kontavo
