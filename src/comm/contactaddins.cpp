#include "comm/contactaddins.h"

#include <QWidget>
#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "diag/resources.h"
#include "platform/devicefs.h"
#include "platform/library.h"
#include "platform/registry.h"
#include "platform/windowregistry.h"

namespace kontavo {

namespace {

using CePimCommand = int32_t (*)(uint32_t parentWindow, int32_t itemKind, int32_t count,
                                 const uint32_t* oids, void* reserved);

// The commands of the program itself that lie in the add-ins' range.
constexpr std::array<int, 7> kTakenCommands{41229, 41231, 41232, 41233, 41235, 41236, 41237};

// The class of the program's general-purpose windows.
constexpr QStringView kTemporaryWindowClass = u"TrnSWndCls";

ContactAddIns& stored() {
    static ContactAddIns addIns;
    return addIns;
}

// A string value of at most 259 characters: a longer one is cut, as the
// handheld's 260-character buffer does.
std::optional<QString> readText(Registry& registry, const QString& key, const QString& name) {
    const std::optional<RegValue> value = registry.queryValue(Hive::LocalMachine, key, name);
    std::optional<QString> text = value ? value->string() : std::nullopt;
    if (text) {
        text->truncate(ContactAddIns::kMaxTextLength);
    }
    return text;
}

// The library as given when it exists, else in "\Windows\".
std::optional<QString> existingLibrary(const DeviceFs& device, const QString& library) {
    if (!library.isEmpty() && device.fileExists(library)) {
        return library;
    }
    const QString inWindows = QStringLiteral("\\Windows\\") + library;
    if (!library.isEmpty() && device.fileExists(inWindows)) {
        return inWindows;
    }
    return std::nullopt;
}

}  // namespace

int ContactAddIns::commandOf(int index) {
    int command = kFirstCommand;
    for (int i = 0;; ++command) {
        if (std::find(kTakenCommands.begin(), kTakenCommands.end(), command) !=
            kTakenCommands.end()) {
            continue;
        }
        if (i++ == index) {
            return command;
        }
    }
}

ContactAddIns ContactAddIns::load(Registry& registry, const DeviceFs& device) {
    ContactAddIns addIns;
    const QString key = registryKey();
    if (!registry.keyExists(Hive::LocalMachine, key)) {
        return addIns;
    }
    for (int index = 0; index < kMaxAddIns; ++index) {
        const std::optional<QString> subkey = registry.enumSubkey(Hive::LocalMachine, key, index);
        if (!subkey) {
            continue;
        }
        const QString path = key + u'\\' + *subkey;
        const std::optional<QString> library = readText(registry, path, QStringLiteral("DLL"));
        const std::optional<QString> menu = readText(registry, path, QStringLiteral("Menu"));
        const std::optional<QString> found =
            library && menu ? existingLibrary(device, *library) : std::nullopt;
        if (!found) {
            continue;
        }
        const int command = commandOf(int(addIns.m_entries.size()));
        addIns.m_entries.append({*menu, *found, command});
        if (addIns.m_dialerCommand == 0 &&
            found->contains(QLatin1String("BTDialer.dll"), Qt::CaseInsensitive)) {
            addIns.m_dialerCommand = command;
        }
    }
    return addIns;
}

const ContactAddIns& ContactAddIns::current() {
    return stored();
}

void ContactAddIns::setCurrent(ContactAddIns addIns) {
    stored() = std::move(addIns);
}

std::optional<ContactAddIns::Entry> ContactAddIns::entryOf(int command) const {
    for (const Entry& entry : m_entries) {
        if (entry.command == command) {
            return entry;
        }
    }
    return std::nullopt;
}

QString ContactAddIns::dialerText() const {
    const std::optional<Entry> dialer = entryOf(m_dialerCommand);
    return dialer ? dialer->menuText : QString();
}

QString ContactAddIns::menuLabel(const QString& label) {
    return label.isEmpty() ? loadString(kMenuLabelString) : label;
}

bool ContactAddIns::invoke(QWidget* owner, int command, const QList<Oid>& oids,
                           const DeviceFs& device, WindowRegistry* windows) const {
    const std::optional<Entry> entry = entryOf(command);
    const std::optional<QString> host = entry ? device.hostPath(entry->library) : std::nullopt;
    if (!host) {
        return false;
    }
    const Library library(*host);
    const auto call = library.function<CePimCommand>("CePimCommand");
    if (call == nullptr) {
        return false;
    }
    // The add-in's parent: a window at the top of the screen.
    QWidget parent(owner != nullptr ? owner->window() : nullptr,
                   Qt::Tool | Qt::FramelessWindowHint);
    parent.setObjectName(kTemporaryWindowClass.toString());
    if (owner != nullptr) {
        const QRect screen = owner->window()->geometry();
        parent.setGeometry(screen.left(), screen.top(), screen.width(), 1);
    }
    parent.show();
    std::unique_ptr<WindowEndpoint> endpoint =
        windows != nullptr ? windows->createWindow(kTemporaryWindowClass.toString(), {}) : nullptr;
    const std::vector<uint32_t> ids(oids.begin(), oids.end());
    call(endpoint != nullptr ? endpoint->handle() : 0, kItemKindContacts, int32_t(ids.size()),
         ids.data(), nullptr);
    return true;
}

}  // namespace kontavo
