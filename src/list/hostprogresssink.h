#pragma once

#include <QString>

#include "store/contacts/progresssink.h"

namespace kontavo {

class FrameHost;

// The main window's progress window as a ProgressSink: show() creates the
// window ("Reindex database", range 1..20) and applies the range, step and
// text set before it; close() closes it. The host must outlive the sink.
// UI thread only.
class HostProgressSink final : public ProgressSink {
public:
    // `title` replaces the window's title when it is not empty.
    explicit HostProgressSink(FrameHost& host, QString title = QString())
        : m_host(host), m_title(std::move(title)) {}
    ~HostProgressSink() override;

    int rangeLow() const override { return m_low; }
    int rangeHigh() const override { return m_high; }
    void show() override;
    void setRange(int low, int high) override;
    void setStep(int step) override;
    void setText(const QString& text) override;
    void stepOnce() override;
    void close() override;

    bool isShown() const { return m_shown; }

private:
    FrameHost& m_host;
    QString m_title;
    int m_low = 1;
    int m_high = 20;
    int m_step = 1;
    QString m_text;
    bool m_shown = false;
};

}  // namespace kontavo
