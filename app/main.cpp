// Entry point of Kontavo: the application shell runs the program. The
// subsystems that are plugged in here are listed in Integration.
#include "shell/program.h"

int main(int argc, char** argv) {
    const kontavo::AppInfo info{QStringLiteral(KONTAVO_VERSION), QStringLiteral(KONTAVO_BUILD)};
    return kontavo::runProgram(argc, argv, info, kontavo::Integration{});
}
