#pragma once

namespace kontavo {

// Where the contacts frame and the options raise the change flags of the
// block shared with the other programs of the device (flag 0 index rebuilt
// for new letter groups, 1 ABC bar, 2 options confirmed, 3 list font, 4 sort
// type, 5 name only, 6 double size). Optional: without a sink no flag is
// raised. UI thread only.
class ChangeFlagSink {
public:
    static constexpr int kIndexWordsFlag = 0;
    static constexpr int kAbcBarFlag = 1;
    static constexpr int kOptionsFlag = 2;
    static constexpr int kListFontFlag = 3;
    static constexpr int kSortTypeFlag = 4;
    static constexpr int kNameOnlyFlag = 5;
    static constexpr int kDoubleSizedFlag = 6;

    virtual ~ChangeFlagSink() = default;
    // Sets flag `flag` (0..6) to 1.
    virtual void raise(int flag) = 0;
};

}  // namespace kontavo
