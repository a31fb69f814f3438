#include "ui/menuresource.h"

#include "diag/resources.h"
#include "ui/resourcescriptlexer.h"

namespace kontavo {

namespace {

using Kind = ScriptToken::Kind;

// Recursive-descent reader of the menu grammar; the first error stops it.
class MenuReader {
public:
    explicit MenuReader(const QByteArray& utf8) : m_lexer(utf8) {}

    std::optional<QList<MenuItem>> readMenu() {
        QList<MenuItem> items;
        if (!readItems(items, 0) || !expect(Kind::End, "end of menu")) {
            return std::nullopt;
        }
        return items;
    }
    const QString& error() const { return m_error; }

private:
    bool fail(const ScriptToken& token, const char* what) {
        if (m_error.isEmpty()) {
            m_error =
                QStringLiteral("line %1: expected %2").arg(token.line).arg(QLatin1String(what));
        }
        return false;
    }
    bool expect(Kind kind, const char* what, ScriptToken* out = nullptr) {
        const ScriptToken token = m_lexer.next();
        if (out != nullptr) {
            *out = token;
        }
        return token.kind == kind || fail(token, what);
    }
    bool isWord(const ScriptToken& token, const char* word) const {
        return token.kind == Kind::Word && token.text == QLatin1String(word);
    }

    // Entries until END (inside a popup) or the end of the text (top level).
    bool readItems(QList<MenuItem>& items, int depth) {
        while (true) {
            const ScriptToken token = m_lexer.peek();
            if (token.kind == Kind::End || isWord(token, "END")) {
                return true;
            }
            MenuItem item;
            if (!readItem(item, depth)) {
                return false;
            }
            items.append(item);
        }
    }

    bool readItem(MenuItem& item, int depth) {
        const ScriptToken token = m_lexer.next();
        if (isWord(token, "MENUITEM")) {
            return readCommand(item);
        }
        if (isWord(token, "POPUP")) {
            return readPopup(item, depth);
        }
        return fail(token, "MENUITEM or POPUP");
    }

    bool readCommand(MenuItem& item) {
        if (isWord(m_lexer.peek(), "SEPARATOR")) {
            m_lexer.next();
            item.kind = MenuItem::Kind::Separator;
            return true;
        }
        ScriptToken text;
        ScriptToken id;
        if (!expect(Kind::String, "item text", &text) || !expect(Kind::Comma, "','") ||
            !expect(Kind::Number, "command id", &id)) {
            return false;
        }
        if (id.number < 1 || id.number > 0xFFFF) {
            return fail(id, "a command id from 1 to 65535");
        }
        item.kind = MenuItem::Kind::Command;
        item.text = text.text;
        item.id = int(id.number);
        return readFlags(item);
    }

    bool readPopup(MenuItem& item, int depth) {
        ScriptToken text;
        if (!expect(Kind::String, "popup text", &text)) {
            return false;
        }
        item.kind = MenuItem::Kind::Popup;
        item.text = text.text;
        if (!readFlags(item)) {
            return false;
        }
        const ScriptToken begin = m_lexer.next();
        if (!isWord(begin, "BEGIN")) {
            return fail(begin, "BEGIN");
        }
        if (depth + 1 >= MenuResource::kMaxDepth) {
            return fail(begin, "fewer nested popups");
        }
        if (!readItems(item.children, depth + 1)) {
            return false;
        }
        const ScriptToken end = m_lexer.next();
        return isWord(end, "END") || fail(end, "END");
    }

    bool readFlags(MenuItem& item) {
        while (m_lexer.peek().kind == Kind::Comma) {
            m_lexer.next();
            const ScriptToken flag = m_lexer.next();
            if (isWord(flag, "GRAYED")) {
                item.grayed = true;
            } else if (isWord(flag, "CHECKED")) {
                item.checked = true;
            } else {
                return fail(flag, "GRAYED or CHECKED");
            }
        }
        return true;
    }

    ResourceScriptLexer m_lexer;
    QString m_error;
};

void collectIds(const QList<MenuItem>& items, QList<int>& ids) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItem::Kind::Command) {
            ids.append(item.id);
        }
        collectIds(item.children, ids);
    }
}

const MenuItem* findIn(const QList<MenuItem>& items, int id) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItem::Kind::Command && item.id == id) {
            return &item;
        }
        if (const MenuItem* found = findIn(item.children, id)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<MenuResource> MenuResource::parse(const QByteArray& utf8, QString* error) {
    MenuReader reader(utf8);
    std::optional<QList<MenuItem>> items = reader.readMenu();
    if (!items) {
        if (error != nullptr) {
            *error = reader.error();
        }
        return std::nullopt;
    }
    MenuResource menu;
    menu.m_items = std::move(*items);
    return menu;
}

std::optional<MenuResource> MenuResource::load(int id) {
    const std::optional<QByteArray> script = loadResource(QStringLiteral("MENU"), id);
    return script ? parse(*script) : std::nullopt;
}

QList<int> MenuResource::commandIds() const {
    QList<int> ids;
    collectIds(m_items, ids);
    return ids;
}

const MenuItem* MenuResource::find(int id) const {
    return findIn(m_items, id);
}

}  // namespace kontavo
