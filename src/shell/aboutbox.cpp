#include "shell/aboutbox.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "diag/resources.h"
#include "shell/shellids.h"
#include "ui/icons.h"
#include "ui/sharedfonts.h"

namespace kontavo {

AboutBox::AboutBox(const AppInfo& info, QWidget* parent)
    : DialogBase(kTemplateId, true, parent), m_info(info) {
    setWindowTitle(loadString(shell::kTitleString));
}

bool AboutBox::onInitDialog() {
    auto* column = new QVBoxLayout(body());
    auto* picture = new QLabel(body());
    picture->setPixmap(loadIconPixmap(icon::kApplication));
    picture->setAlignment(Qt::AlignCenter);
    auto* name = new QLabel(loadString(shell::kTitleString), body());
    name->setFont(SharedFonts::current().bold);
    name->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(QStringLiteral("Version %1").arg(m_info.version), body());
    version->setObjectName(QStringLiteral("Version"));
    auto* build = new QLabel(QStringLiteral("Build %1").arg(m_info.build), body());
    build->setObjectName(QStringLiteral("Build"));
    auto* ok = new QPushButton(loadString(105), body());
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    for (QLabel* line : {version, build}) {
        line->setFont(SharedFonts::current().normal);
        line->setAlignment(Qt::AlignCenter);
    }
    column->addStretch(1);
    for (QWidget* item : {static_cast<QWidget*>(picture), static_cast<QWidget*>(name),
                          static_cast<QWidget*>(version), static_cast<QWidget*>(build)}) {
        column->addWidget(item);
    }
    column->addStretch(1);
    column->addWidget(ok, 0, Qt::AlignHCenter);
    createMenuBar(0);
    return true;
}

}  // namespace kontavo
