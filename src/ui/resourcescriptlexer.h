#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace kontavo {

// One token of a resource script (menus, accelerator tables).
struct ScriptToken {
    enum class Kind { Word, Number, String, Comma, End, Error };
    Kind kind = Kind::End;
    QString text;        // Word: upper-cased keyword; String: the text
    int64_t number = 0;  // Number
    int line = 0;
};

// Splits resource script text (UTF-8) into tokens: keywords, decimal or 0x
// hexadecimal numbers, double-quoted strings (a doubled quote stands for
// one quote; a string ends on its line), commas. '#' or "//" starts a comment
// that runs to the end of the line. docs/formats/menu-resource.md.
class ResourceScriptLexer {
public:
    explicit ResourceScriptLexer(const QByteArray& utf8);

    // The next token; End at the end of the text, Error (with the line) for a
    // character that starts no token or an unterminated string.
    ScriptToken next();
    // The next token without consuming it.
    ScriptToken peek();

private:
    void skipBlanksAndComments();
    ScriptToken readString();
    ScriptToken readNumber();
    ScriptToken readWord();

    QString m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
};

}  // namespace kontavo
