// kontavo-sample-addin.so: a sample Contacts add-in. Registered under
// HKLM "SOFTWARE\Microsoft\PimApps\PimExtensions\Contacts\AddIns\NAME" with
// "DLL" naming a copy of it on the device (docs/companions.md), it writes
// each call to the file next to that copy with ".log" appended, one line:
// "WINDOW KIND COUNT OID OID ...".
#include <dlfcn.h>

#include <cstdint>
#include <fstream>
#include <string>

namespace {

// The path of this library as it was loaded.
std::string ownPath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ownPath), &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    return info.dli_fname;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int32_t CePimCommand(uint32_t parentWindow,
                                                                       int32_t itemKind,
                                                                       int32_t count,
                                                                       const uint32_t* oids,
                                                                       void* /*reserved*/) {
    const std::string path = ownPath();
    if (path.empty()) {
        return 1;
    }
    std::ofstream log(path + ".log", std::ios::app);
    log << parentWindow << ' ' << itemKind << ' ' << count;
    for (int32_t i = 0; oids != nullptr && i < count; ++i) {
        log << ' ' << oids[i];
    }
    log << '\n';
    return 0;
}
