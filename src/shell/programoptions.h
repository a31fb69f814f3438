#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kontavo {

// The program's arguments:
//   kontavo [--device-root DIR] [--dpi 96|192] [--screenshot FILE.png] [e|v OID]
// Options may also be written --name=value. Everything that is not an
// option is the handheld's command line, joined with blanks.
struct ProgramOptions {
    std::optional<QString> deviceRoot;
    int dpi = 96;
    std::optional<QString> screenshot;
    QString commandLine;

    // Parses the arguments after the program name; nullopt on a bad option,
    // which `error` then names.
    static std::optional<ProgramOptions> parse(const QStringList& arguments, QString* error);
    static QString usage();
};

}  // namespace kontavo
