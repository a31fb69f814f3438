#pragma once

#include <QWidget>

#include "ui/framehost.h"

namespace kontavo::bench {

// The main window as the benchmarked frame needs it: a plain window, no
// menu bar, no SIP, progress reported on stderr.
class BenchHost final : public FrameHost {
public:
    void switchFrame(int) override {}
    void clearListSelection() override {}
    void enableMainWindow(bool) override {}
    void setBusy(bool) override {}
    std::optional<int> sipTop() const override { return std::nullopt; }
    QWidget* mainWindow() override { return &window; }
    MenuBar* menuBar() const override { return nullptr; }
    void createProgress() override;
    void setProgressRange(int, int) override {}
    void setProgressStep(int) override {}
    void setProgressTitle(const QString&) override {}
    void setProgressText(const QString& text) override;
    void stepProgress() override;
    void closeProgress() override;

    QWidget window;
};

}  // namespace kontavo::bench
