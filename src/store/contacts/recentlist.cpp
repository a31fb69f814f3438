#include "store/contacts/recentlist.h"

#include <algorithm>

#include "platform/registry.h"
#include "store/settings/settingsstore.h"

namespace kontavo {

namespace {

constexpr int kMenuFixedItems = 4;

QString keyPath(const QString& subkey) {
    return SettingsStore::rootPath() + subkey;
}

}  // namespace

RecentList RecentList::categories(Registry& registry, int capacity) {
    return RecentList(registry, settings::kCategories.toString(), capacity, Order::OldestFirst);
}

RecentList RecentList::contacts(Registry& registry) {
    return RecentList(registry, settings::kRecentContacts.toString(),
                      settings::kRecentContactsCapacity, Order::NewestFirst);
}

RecentList::RecentList(Registry& registry, QString subkey, int capacity, Order order)
    : m_registry(registry),
      m_subkey(std::move(subkey)),
      m_capacity(std::max(0, capacity)),
      m_order(order) {}

void RecentList::load() {
    const SettingsStore settings(m_registry);
    m_entries.clear();
    const int32_t count = settings.getInt(m_subkey, settings::kCount.toString(), 0);
    for (int32_t i = 0; i < count; ++i) {
        const auto value =
            m_registry.queryValue(Hive::CurrentUser, keyPath(m_subkey), QString::number(i));
        const std::optional<uint32_t> oid = value ? value->dword() : std::nullopt;
        if (!oid) {
            break;
        }
        if (*oid != 0 && !m_entries.contains(*oid)) {
            m_entries.append(*oid);
        }
    }
    trim();
}

bool RecentList::save() {
    const QString path = keyPath(m_subkey);
    for (const QString& name : m_registry.valueNames(Hive::CurrentUser, path)) {
        m_registry.deleteValue(Hive::CurrentUser, path, name);
    }
    SettingsStore settings(m_registry);
    bool ok = settings.setInt(m_subkey, settings::kCount.toString(), int32_t(m_entries.size()));
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        ok = settings.setInt(m_subkey, QString::number(i), int32_t(m_entries[i])) && ok;
    }
    return ok;
}

void RecentList::touch(Oid oid) {
    if (oid == 0 || m_capacity == 0) {
        return;
    }
    m_entries.removeAll(oid);
    if (m_order == Order::OldestFirst) {
        if (isFull()) {
            m_entries.removeFirst();
        }
        m_entries.append(oid);
    } else {
        if (isFull()) {
            m_entries.removeLast();
        }
        m_entries.prepend(oid);
    }
}

void RecentList::remove(const QList<Oid>& oids) {
    m_entries.removeIf([&oids](Oid oid) { return oids.contains(oid); });
}

void RecentList::retainOnly(const QList<Oid>& oids) {
    m_entries.removeIf([&oids](Oid oid) { return !oids.contains(oid); });
}

void RecentList::trim() {
    while (m_entries.size() > m_capacity) {
        if (m_order == Order::OldestFirst) {
            m_entries.removeFirst();
        } else {
            m_entries.removeLast();
        }
    }
}

int categoryMenuCapacity(int availableHeight, int menuLineHeight) {
    if (menuLineHeight <= 0) {
        return 0;
    }
    return std::max(0, availableHeight / menuLineHeight - kMenuFixedItems);
}

}  // namespace kontavo
