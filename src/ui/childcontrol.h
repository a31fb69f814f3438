#pragma once

#include <QWidget>

#include "ui/messagewindow.h"

namespace kontavo {

// The lightweight child control base (window class "TrnSWndCls") of the ABC
// bars and similar controls: a widget with a white background and an owner
// it reports to, whose window procedure passes activation and setting
// changes to dedicated handlers. UI thread only; a Qt child of its parent.
class ChildControl : public QWidget, public MessageWindow {
    Q_OBJECT
public:
    static constexpr const char* kWindowClass = "TrnSWndCls";

    ChildControl(QWidget* owner, QWidget* parent);

    QWidget* owner() const { return m_owner; }

    int32_t windowProc(const WindowMessage& message, QObject* control) override;

protected:
    virtual void onActivate(bool active) { Q_UNUSED(active); }
    virtual void onSettingChange(uint32_t code, uint32_t parameter);
    // Any other message; the default answers 0.
    virtual int32_t onMessage(const WindowMessage& message, QObject* control);

    bool event(QEvent* event) override;

private:
    QWidget* m_owner;
};

}  // namespace kontavo
