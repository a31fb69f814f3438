#include <gtest/gtest.h>

#include <cstdlib>

#include "diag/fatal.h"
#include "diag/resources.h"

namespace kontavo {
namespace {

class FatalTest : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(FatalTest, StrictStringLoadEndsTheProcessWithTheCodeOnStderr) {
    EXPECT_EXIT(std::exit(runMain([] {
                    loadStringStrict(987654);
                    return 0;
                })),
                ::testing::ExitedWithCode(kFatalExitStatus),
                "fatal error 0xEFFFFFFC \\(argument 987654\\)");
}

TEST_F(FatalTest, EveryFatalCodeIsObservable) {
    for (FatalCode code :
         {FatalCode::ResourceLoadingFailed, FatalCode::UnrecoverableDbError, FatalCode::OutOfMemory}) {
        char expected[32];
        std::snprintf(expected, sizeof expected, "fatal error 0x%08X", unsigned(code));
        EXPECT_EXIT(std::exit(runMain([code]() -> int { raiseFatal(code); })),
                    ::testing::ExitedWithCode(kFatalExitStatus), expected);
    }
}

TEST_F(FatalTest, GuardedRegionTurnsAnyExceptionIntoFailure) {
    EXPECT_FALSE(runGuarded([] { raiseFatal(FatalCode::UnrecoverableDbError); }));
    EXPECT_FALSE(runGuarded([] { throw std::bad_alloc(); }));
    bool ran = false;
    EXPECT_TRUE(runGuarded([&] { ran = true; }));
    EXPECT_TRUE(ran);
}

TEST_F(FatalTest, RunMainPassesTheBodysStatusThrough) {
    EXPECT_EQ(runMain([] { return 3; }), 3);
}

}  // namespace
}  // namespace kontavo
