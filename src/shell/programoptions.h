#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kontavo {

// The program's arguments:
//   kontavo [--device-root DIR | --demo] [--dpi 96|192] [--screenshot FILE.png]
//           [--sip] [e|v OID | FILE.vcf...]
//   kontavo --help | --version
// Options with a value may also be written --name=value. Everything that is
// not an option is the handheld's command line, joined with blanks.
struct ProgramOptions {
    std::optional<QString> deviceRoot;
    // The demonstration device root (under the data folder), filled with
    // demonstration contacts while it holds none.
    bool demo = false;
    int dpi = 96;
    std::optional<QString> screenshot;
    // Start with the on-screen keyboard up.
    bool sipUp = false;
    bool help = false;
    bool version = false;
    QString commandLine;
    // The vCard files to import (absolute paths), when every argument that
    // is not an option names one (ends in ".vcf" or ".vcard"); the command
    // line is then empty.
    QStringList vcardFiles;

    // Parses the arguments after the program name; nullopt on a bad option,
    // which `error` then names.
    static std::optional<ProgramOptions> parse(const QStringList& arguments, QString* error);
    static QString usage();
};

}  // namespace kontavo
