#pragma once

#include <QStringList>

#include "ui/messageboxes.h"

namespace kontavo::test {

// Installed while it lives: writes down every message box as
// "caption|text" instead of showing it.
class RecordingBoxes final : public MessageBoxes {
public:
    RecordingBoxes() { install(this); }
    ~RecordingBoxes() override { install(nullptr); }
    void show(QWidget*, const QString& text, const QString& caption, Icon) override {
        shown.append(caption + u'|' + text);
    }
    QStringList shown;
};

}  // namespace kontavo::test
