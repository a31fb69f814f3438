#pragma once

#include <QString>
#include <optional>

namespace kontavo {

// The operating system version of the emulated handheld.
struct PlatformVersion {
    int major = 4;
    int minor = 20;  // Pocket PC 2003

    // "major.minor" (e.g. "4.20", "5.1") or "major"; nullopt for anything else.
    static std::optional<PlatformVersion> parse(const QString& text);
    // The emulated version: $KONTAVO_OS_VERSION when it parses, else 4.20.
    static PlatformVersion current();
};

}  // namespace kontavo
