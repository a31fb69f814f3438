#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace kontavo {

// One entry of a menu: a command, a separator, or a popup with entries.
struct MenuItem {
    enum class Kind { Command, Separator, Popup };
    Kind kind = Kind::Command;
    QString text;
    int id = 0;  // Command only: 1..65535
    bool grayed = false;
    bool checked = false;
    QList<MenuItem> children;  // Popup only
};

// A menu resource (type "MENU"): the top-level entries of a menu bar, parsed
// from the resource script format of docs/formats/menu-resource.md. A plain
// copyable value.
class MenuResource {
public:
    static constexpr int kMaxDepth = 8;

    // Parses script text; nullopt on any error, which `error` then describes
    // with its line.
    static std::optional<MenuResource> parse(const QByteArray& utf8, QString* error = nullptr);
    // The compiled-in menu `id`; nullopt when it is missing or does not parse.
    static std::optional<MenuResource> load(int id);

    const QList<MenuItem>& items() const { return m_items; }
    // Every command id, depth first in menu order.
    QList<int> commandIds() const;
    // The command item with `id`, or null.
    const MenuItem* find(int id) const;

private:
    QList<MenuItem> m_items;
};

}  // namespace kontavo
