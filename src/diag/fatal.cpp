#include "diag/fatal.h"

#include <cstdio>
#include <new>

#include "diag/errorlog.h"

namespace kontavo {

FatalError::FatalError(uint32_t code, std::optional<uint32_t> argument)
    : m_code(code), m_argument(argument) {
    std::snprintf(m_text, sizeof m_text, "fatal error 0x%08X", code);
}

void raiseFatal(FatalCode code, std::optional<uint32_t> argument) {
    raiseFatal(static_cast<uint32_t>(code), argument);
}

void raiseFatal(uint32_t code, std::optional<uint32_t> argument) {
    throw FatalError(code, argument);
}

bool runGuarded(const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (...) {
        return false;
    }
}

int reportFatal(const FatalError& error) {
    if (error.argument()) {
        std::fprintf(stderr, "fatal error 0x%08X (argument %u)\n", error.code(), *error.argument());
    } else {
        std::fprintf(stderr, "fatal error 0x%08X\n", error.code());
    }
    std::fflush(stderr);
    return kFatalExitStatus;
}

// Memory that cannot be had ends the program the one way an unrecoverable
// condition does: the allocation check's log line, then the out-of-memory
// code. Allocation through new reports failure by std::bad_alloc rather than
// by a null pointer, so it is turned into the check's failure here.
int runMain(const std::function<int()>& body) {
    try {
        return body();
    } catch (const FatalError& error) {
        return reportFatal(error);
    } catch (const std::bad_alloc&) {
        try {
            failAllocation();
        } catch (const FatalError& error) {
            return reportFatal(error);
        }
    }
    return kFatalExitStatus;
}

}  // namespace kontavo
