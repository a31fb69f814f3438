#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace kontavo {

// What a command line asks for: open contact `oid` for editing ('e') or for
// viewing ('v').
struct OpenContactRequest {
    char16_t letter = u'v';
    uint32_t oid = 0;

    friend bool operator==(const OpenContactRequest&, const OpenContactRequest&) = default;
};

// The program's command line, "e|v OID": the text is lower-cased; its first
// character picks the action and the text after its first blank is the Oid
// in hexadecimal (blanks before it, and a "0x" prefix, are allowed; parsing
// stops at the first character that is not a hexadecimal digit). Accepted
// only for 'e' or 'v' with a blank and a non-zero Oid that fits 32 bits.
class CommandLine {
public:
    static std::optional<OpenContactRequest> parse(const QString& commandLine);
};

}  // namespace kontavo
