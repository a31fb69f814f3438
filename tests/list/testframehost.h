#pragma once

#include <QStringList>

#include "ui/framehost.h"
#include "ui/menubar.h"

namespace kontavo::test {

// A main window stand-in for frames under test: records the progress
// window's calls ("create", "range 0 20", "text ...", "step", "close") and
// reports the SIP top it is given.
class TestFrameHost final : public FrameHost {
public:
    void switchFrame(int) override {}
    void clearListSelection() override {}
    void enableMainWindow(bool) override {}
    void setBusy(bool busy) override { this->busy = busy; }
    std::optional<int> sipTop() const override { return sip; }
    QWidget* mainWindow() override { return window; }
    MenuBar* menuBar() const override { return bar; }
    void createProgress() override { progress.append(QStringLiteral("create")); }
    void setProgressTitle(const QString& title) override {
        progress.append(QStringLiteral("title ") + title);
    }
    void setProgressRange(int minimum, int maximum) override {
        progress.append(QStringLiteral("range %1 %2").arg(minimum).arg(maximum));
    }
    void setProgressStep(int step) override { progress.append(QStringLiteral("by %1").arg(step)); }
    void setProgressText(const QString& text) override {
        progress.append(QStringLiteral("text ") + text);
    }
    void stepProgress() override { progress.append(QStringLiteral("step")); }
    void closeProgress() override { progress.append(QStringLiteral("close")); }

    std::optional<int> sip;
    QWidget* window = nullptr;
    MenuBar* bar = nullptr;
    bool busy = false;
    QStringList progress;
};

}  // namespace kontavo::test
