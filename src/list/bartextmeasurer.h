#pragma once

#include <QString>

namespace kontavo {

// Text measuring for the bar layouts, by character height in pixels.
class BarTextMeasurer {
public:
    virtual ~BarTextMeasurer() = default;
    virtual int textWidth(int pixels, const QString& text) const = 0;
    // Height of one text line.
    virtual int lineHeight(int pixels) const = 0;
};

// Measures with the bars' label font (Tahoma of that character height).
class FontBarTextMeasurer : public BarTextMeasurer {
public:
    int textWidth(int pixels, const QString& text) const override;
    int lineHeight(int pixels) const override;
};

}  // namespace kontavo
