#include "list/hostprogresssink.h"

#include <gtest/gtest.h>

#include "testframehost.h"

namespace kontavo {
namespace {

TEST(HostProgressSinkTest, SettingsMadeBeforeShowReachTheWindowWhenItOpens) {
    test::TestFrameHost host;
    {
        HostProgressSink sink(host);
        sink.setText(QStringLiteral("Update indexes"));
        sink.setRange(0, 18);
        sink.setStep(2);
        sink.stepOnce();  // nothing is shown yet
        EXPECT_TRUE(host.progress.isEmpty());
        sink.show();
        sink.stepOnce();
        EXPECT_EQ(sink.rangeLow(), 0);
        EXPECT_EQ(sink.rangeHigh(), 18);
    }
    EXPECT_EQ(host.progress,
              (QStringList{QStringLiteral("create"), QStringLiteral("range 0 18"),
                           QStringLiteral("by 2"), QStringLiteral("text Update indexes"),
                           QStringLiteral("step"), QStringLiteral("close")}))
        << "the window closes with the sink";
}

TEST(HostProgressSinkTest, CloseWithoutShowTouchesNothing) {
    test::TestFrameHost host;
    HostProgressSink sink(host);
    sink.close();
    sink.show();
    sink.close();
    sink.close();
    EXPECT_EQ(host.progress.count(QStringLiteral("create")), 1);
    EXPECT_EQ(host.progress.count(QStringLiteral("close")), 1);
}

}  // namespace
}  // namespace kontavo
