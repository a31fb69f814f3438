#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>

namespace kontavo {

// The fatal error codes; each ends the program after its log line.
enum class FatalCode : uint32_t {
    ResourceLoadingFailed = 0xEFFFFFFC,  // "EXCEPTION_RESOURCE_LOADING_FAILED"; arg = id
    UnrecoverableDbError = 0xEFFFFFFD,   // "EXCEPTION_UNRECOVERABLE_DB_ERROR"
    OutOfMemory = 0xEFFFFFFF,            // allocation or mapped-file growth failed
};

// Process exit status used when a fatal code ends the program.
inline constexpr int kFatalExitStatus = 70;

// The non-continuable exception a fatal code travels in. Only the guarded
// region (runGuarded) and the program's top level catch it.
class FatalError : public std::exception {
public:
    FatalError(uint32_t code, std::optional<uint32_t> argument);
    uint32_t code() const { return m_code; }
    const std::optional<uint32_t>& argument() const { return m_argument; }
    const char* what() const noexcept override { return m_text; }

private:
    uint32_t m_code;
    std::optional<uint32_t> m_argument;
    char m_text[64];
};

// Raises `code` (with its optional single argument). Never returns.
[[noreturn]] void raiseFatal(FatalCode code, std::optional<uint32_t> argument = std::nullopt);
[[noreturn]] void raiseFatal(uint32_t code, std::optional<uint32_t> argument = std::nullopt);

// The one guarded region: runs `step` and reports false instead of letting
// any exception (fatal or not) leave it.
bool runGuarded(const std::function<void()>& step);

// The top level's report of a fatal code: "fatal error 0x%08X" on stderr
// (and the argument when there is one). Returns kFatalExitStatus.
int reportFatal(const FatalError& error);

// Runs `body` as a program's main: a FatalError that escapes it is reported
// and turned into kFatalExitStatus; so is a std::bad_alloc, after the line
// "Memory not allocated!!!" went to the error log (as 0xEFFFFFFF).
int runMain(const std::function<int()>& body);

}  // namespace kontavo
