#pragma once

#include <QString>

#include "ui/dialogbase.h"

namespace kontavo {

// The program's version and build, shown by the about box.
struct AppInfo {
    QString version;
    QString build;
};

// The about box: the program's icon, its name (string 101), version and build,
// and an OK button. A full-screen dialog like every dialog of the handheld.
class AboutBox final : public DialogBase {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 42300;

    AboutBox(const AppInfo& info, QWidget* parent);

protected:
    bool onInitDialog() override;

private:
    AppInfo m_info;
};

}  // namespace kontavo
