#include "diag/fatal.h"

#include <gtest/gtest.h>

#include <QFile>
#include <cstdlib>
#include <new>

#include "diag/errorlog.h"
#include "diag/resources.h"
#include "support/tempdevice.h"

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
    for (FatalCode code : {FatalCode::ResourceLoadingFailed, FatalCode::UnrecoverableDbError,
                           FatalCode::OutOfMemory}) {
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

TEST_F(FatalTest, MemoryThatCannotBeHadIsTheLoggedOutOfMemoryFatalError) {
    test::TempDevice device;
    setLogModule(QString());
    setLogDevice(&device.fs());
    testing::internal::CaptureStderr();
    const int status = runMain([]() -> int { throw std::bad_alloc(); });
    const std::string err = testing::internal::GetCapturedStderr();
    setLogDevice(nullptr);
    EXPECT_EQ(status, kFatalExitStatus);
    EXPECT_NE(err.find("fatal error 0xEFFFFFFF"), std::string::npos) << err;
    QFile log(device.host(QStringLiteral("\\error.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().endsWith("Memory not allocated!!!\tDebugUtils:  (170)\r\n"));
}

TEST_F(FatalTest, RunMainPassesTheBodysStatusThrough) {
    EXPECT_EQ(runMain([] { return 3; }), 3);
}

}  // namespace
}  // namespace kontavo
