// kontavo-sample-today.so: a sample Today plug-in. Installed as
// "KontavoToday.dll" (in the program's folder or the device's "\Windows"),
// it keeps its registration as the file next to it with ".registered"
// appended: "RegisterTodayItem" makes it, "UnRegisterTodayItem" removes it,
// "IsTodayRegistered" says whether it is there. Each returns 1 on success.
#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

std::string marker() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&marker), &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    return std::string(info.dli_fname) + ".registered";
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int32_t RegisterTodayItem() {
    const std::string path = marker();
    std::ofstream file(path);
    return !path.empty() && file.good() ? 1 : 0;
}

extern "C" __attribute__((visibility("default"))) int32_t UnRegisterTodayItem() {
    const std::string path = marker();
    return !path.empty() && std::remove(path.c_str()) == 0 ? 1 : 0;
}

extern "C" __attribute__((visibility("default"))) int32_t IsTodayRegistered() {
    const std::string path = marker();
    return !path.empty() && std::ifstream(path).good() ? 1 : 0;
}
