// Entry point of Kontavo. The main window arrives with the application
// shell; until then the program reports the device it would run on.
#include <QCoreApplication>
#include <cstdio>

#include "diag/errorlog.h"
#include "diag/fatal.h"
#include "diag/resources.h"
#include "platform/devicefs.h"
#include "platform/sqliteregistry.h"
#include "store/settings/settingsstore.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return kontavo::runMain([&] {
        const kontavo::DeviceFs device(
            kontavo::DeviceFs::resolveRoot(kontavo::DeviceFs::rootFromArguments(app.arguments())));
        kontavo::setLogModule(QCoreApplication::applicationFilePath());
        kontavo::setLogDevice(&device);
        kontavo::SqliteRegistry registry(kontavo::SqliteRegistry::fileInRoot(device.root()));
        if (!registry.isOpen()) {
            std::fprintf(stderr, "kontavo: cannot open the registry in %s\n", qPrintable(device.root()));
            return 1;
        }
        kontavo::SettingsStore settings(registry);
        std::printf("%s: device root %s\n", qPrintable(kontavo::loadStringStrict(101)),
                    qPrintable(device.root()));
        std::printf("The main window is not built yet; settings under HKEY_CURRENT_USER\\%s:\n",
                    qPrintable(kontavo::SettingsStore::rootPath()));
        std::printf("  SortType=%d AbcMode=%d SplitPercent=%d\n",
                    settings.get(kontavo::settings::kSortType),
                    settings.get(kontavo::settings::kAbcMode),
                    settings.get(kontavo::settings::kSplitPercent));
        std::printf("Inspect or change them with: kontavo-reg list 'HKCU\\%s'\n",
                    qPrintable(kontavo::SettingsStore::rootPath()));
        return 0;
    });
}
