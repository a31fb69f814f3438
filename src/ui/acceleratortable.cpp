#include "ui/acceleratortable.h"

#include "diag/resources.h"
#include "platform/keymap.h"
#include "ui/resourcescriptlexer.h"

namespace kontavo {

namespace {

using Kind = ScriptToken::Kind;

QString lineError(const ScriptToken& token, const char* what) {
    return QStringLiteral("line %1: expected %2").arg(token.line).arg(QLatin1String(what));
}

// The key of an entry: a one-character string (its upper-case letter or
// digit) or a virtual-key number.
std::optional<int> readKey(const ScriptToken& token) {
    if (token.kind == Kind::Number && token.number > 0 && token.number < 256) {
        return int(token.number);
    }
    if (token.kind == Kind::String && token.text.size() == 1) {
        const QChar c = token.text[0].toUpper();
        if ((c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
            (c >= QLatin1Char('0') && c <= QLatin1Char('9'))) {
            return int(c.unicode());
        }
    }
    return std::nullopt;
}

bool applyFlag(const ScriptToken& flag, Accelerator& entry) {
    if (flag.kind != Kind::Word) {
        return false;
    }
    if (flag.text == QLatin1String("CONTROL")) {
        entry.control = true;
    } else if (flag.text == QLatin1String("SHIFT")) {
        entry.shift = true;
    } else if (flag.text == QLatin1String("ALT")) {
        entry.alt = true;
    } else if (flag.text != QLatin1String("VIRTKEY")) {
        return false;
    }
    return true;
}

}  // namespace

std::optional<AcceleratorTable> AcceleratorTable::parse(const QByteArray& utf8, QString* error) {
    ResourceScriptLexer lexer(utf8);
    AcceleratorTable table;
    QString problem;
    while (problem.isEmpty() && lexer.peek().kind != Kind::End) {
        const ScriptToken key = lexer.next();
        const ScriptToken comma = lexer.next();
        const ScriptToken command = lexer.next();
        Accelerator entry;
        const std::optional<int> virtualKey = readKey(key);
        if (!virtualKey) {
            problem = lineError(key, "a key");
        } else if (comma.kind != Kind::Comma) {
            problem = lineError(comma, "','");
        } else if (command.kind != Kind::Number || command.number < 1 || command.number > 0xFFFF) {
            problem = lineError(command, "a command id from 1 to 65535");
        }
        entry.virtualKey = virtualKey.value_or(0);
        entry.command = int(command.number);
        while (problem.isEmpty() && lexer.peek().kind == Kind::Comma) {
            lexer.next();
            const ScriptToken flag = lexer.next();
            if (!applyFlag(flag, entry)) {
                problem = lineError(flag, "VIRTKEY, CONTROL, SHIFT or ALT");
            }
        }
        table.m_entries.append(entry);
    }
    if (!problem.isEmpty()) {
        if (error != nullptr) {
            *error = problem;
        }
        return std::nullopt;
    }
    return table;
}

std::optional<AcceleratorTable> AcceleratorTable::load(int id) {
    const std::optional<QByteArray> script = loadResource(QStringLiteral("ACCEL"), id);
    return script ? parse(*script) : std::nullopt;
}

std::optional<int> AcceleratorTable::translate(int qtKey, Qt::KeyboardModifiers modifiers) const {
    const int key = virtualKey(qtKey, modifiers & ~Qt::ControlModifier);
    for (const Accelerator& entry : m_entries) {
        if (entry.virtualKey == key && entry.control == modifiers.testFlag(Qt::ControlModifier) &&
            entry.shift == modifiers.testFlag(Qt::ShiftModifier) &&
            entry.alt == modifiers.testFlag(Qt::AltModifier)) {
            return entry.command;
        }
    }
    return std::nullopt;
}

}  // namespace kontavo
