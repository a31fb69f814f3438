// Entry point of Kontavo: the application shell runs the program with the
// contact store and the contacts frame plugged in.
#include "contactsprogram.h"
#include "shell/program.h"

int main(int argc, char** argv) {
    const kontavo::AppInfo info{QStringLiteral(KONTAVO_VERSION), QStringLiteral(KONTAVO_BUILD)};
    return kontavo::runProgram(argc, argv, info, kontavo::contactsIntegration(argc, argv));
}
