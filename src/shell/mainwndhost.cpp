// The services the main window offers to its frames.
#include <QApplication>

#include "diag/resources.h"
#include "shell/appointmentsframe.h"
#include "shell/mainwndframe.h"
#include "shell/progresswnd.h"
#include "shell/shellids.h"

namespace kontavo {

AppFrame* MainWndFrame::frameAt(int index) const {
    switch (index) {
        case kContactsFrame:
            return m_contactsFrame.get();
        case kAppointmentsFrame:
            return m_appointmentsFrame.get();
        default:
            return nullptr;
    }
}

void MainWndFrame::switchFrame(int index) {
    AppFrame* next = frameAt(index);
    if (next == nullptr || next == m_activeFrame) {
        return;
    }
    if (m_activeFrame != nullptr) {
        m_activeFrame->hideFrame();
    }
    rebuildMenuBar();
    applyDoubleSized();
    m_activeFrame = next;
    m_activeFrame->showFrame();
}

void MainWndFrame::clearListSelection() {
    if (m_contactsFrame != nullptr) {
        m_contactsFrame->clearListSelection();
    }
}

void MainWndFrame::enableMainWindow(bool enable) {
    setEnabled(enable);
    if (!enable) {
        return;
    }
    // The last enabled popup this window owns gets the focus back, else the
    // main window itself.
    QWidget* popup = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->parentWidget() == this && window->isVisible() &&
            window->isEnabled()) {
            popup = window;
        }
    }
    QWidget* target = popup != nullptr ? popup : this;
    target->raise();
    target->activateWindow();
}

void MainWndFrame::createProgress() {
    m_progress = std::make_unique<ProgressWnd>(loadString(shell::kReindexTitleString), this);
}

void MainWndFrame::setProgressRange(int minimum, int maximum) {
    if (m_progress != nullptr) {
        m_progress->setRange(minimum, maximum);
    }
}

void MainWndFrame::setProgressStep(int step) {
    if (m_progress != nullptr) {
        m_progress->setStep(step);
    }
}

void MainWndFrame::setProgressTitle(const QString& title) {
    if (m_progress != nullptr) {
        m_progress->setTitle(title);
    }
}

void MainWndFrame::setProgressText(const QString& text) {
    if (m_progress != nullptr) {
        m_progress->setText(text);
    }
}

void MainWndFrame::stepProgress() {
    if (m_progress != nullptr) {
        m_progress->step();
    }
}

void MainWndFrame::closeProgress() {
    m_progress.reset();
}

}  // namespace kontavo
