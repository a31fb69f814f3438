#pragma once

namespace kontavo {

// Where the contacts frame raises the change flags of the block shared with
// the other programs of the device (flag 4 sort type, 5 name only, 6 double
// size). Optional: without a sink no flag is raised. UI thread only.
class ChangeFlagSink {
public:
    static constexpr int kSortTypeFlag = 4;
    static constexpr int kNameOnlyFlag = 5;
    static constexpr int kDoubleSizedFlag = 6;

    virtual ~ChangeFlagSink() = default;
    // Sets flag `flag` (0..6) to 1.
    virtual void raise(int flag) = 0;
};

}  // namespace kontavo
