#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <Qt>
#include <optional>

namespace kontavo {

// One accelerator: a virtual key with its modifiers and the command it sends.
struct Accelerator {
    int virtualKey = 0;
    bool control = false;
    bool shift = false;
    bool alt = false;
    int command = 0;
};

// An accelerator table resource (type "ACCEL"), in the resource script format
// of docs/formats/menu-resource.md: one entry per accelerator,
//   "Q", 1, VIRTKEY, CONTROL
// A plain copyable value.
class AcceleratorTable {
public:
    // Parses script text; nullopt on any error, which `error` then describes.
    static std::optional<AcceleratorTable> parse(const QByteArray& utf8, QString* error = nullptr);
    // The compiled-in table `id`; nullopt when missing or malformed.
    static std::optional<AcceleratorTable> load(int id);

    const QList<Accelerator>& entries() const { return m_entries; }
    // The command of a key press, when the table has one for it.
    std::optional<int> translate(int qtKey, Qt::KeyboardModifiers modifiers) const;

private:
    QList<Accelerator> m_entries;
};

}  // namespace kontavo
