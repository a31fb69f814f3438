#include "store/fileflag.h"

#include "platform/sqliteregistry.h"
#include "store/settingsstore.h"

namespace kontavo {

StoreWriter::Done clearFileFlagWhenWritten(const QString& registryFile, const QString& fileName) {
    return [registryFile, fileName] {
        SqliteRegistry registry(registryFile);
        if (registry.isOpen()) {
            SettingsStore(registry).setFileFlag(fileName, false);
        }
    };
}

}  // namespace kontavo
