#pragma once

#include <QString>

namespace kontavo {

// A progress display for long work (the progress window of the main window).
// Optional wherever it is passed: a null sink shows nothing. UI thread only.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;

    virtual int rangeLow() const = 0;
    virtual int rangeHigh() const = 0;
    virtual void show() = 0;
    virtual void setRange(int low, int high) = 0;
    virtual void setStep(int step) = 0;
    virtual void setText(const QString& text) = 0;
    // Advances by the step set (at most to the top of the range).
    virtual void stepOnce() = 0;
    virtual void close() = 0;
};

}  // namespace kontavo
