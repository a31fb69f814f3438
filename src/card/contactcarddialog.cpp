#include "card/contactcarddialog.h"

#include <QVBoxLayout>

#include "card/contactcardview.h"
#include "diag/resources.h"
#include "ui/menubar.h"
#include "ui/shellui.h"

namespace kontavo {

namespace {
constexpr int kTitleString = 101;  // "Kontavo"
}  // namespace

ContactCardDialog::ContactCardDialog(const Screen& screen, CardLinkRouter router, QWidget* parent)
    : DialogBase(kDialogId, true, parent),
      m_view(new ContactCardView(screen, body())),
      m_router(router) {
    setWindowTitle(loadString(kTitleString));
    auto* layout = new QVBoxLayout(body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    if (ShellUi::current() == nullptr) {
        resize(screen.scaleX(ShellUi::kScreenWidth), screen.scaleY(ShellUi::kScreenHeight));
    }
    connect(m_view, &ContactCardView::linkActivated, this, &ContactCardDialog::linkActivated);
}

ContactCardDialog::~ContactCardDialog() = default;

bool ContactCardDialog::onInitDialog() {
    if (MenuBar* bar = createMenuBar(kMenuId)) {
        bar->enableItem(kCmdEdit, m_editAvailable);
    }
    m_view->setFocus();
    return true;
}

void ContactCardDialog::onCommand(int, int id, QObject*) {
    if (id == kCmdClose) {
        done(kClosed);
    } else if (id == kCmdEdit && m_editAvailable) {
        done(kEditRequested);
    }
}

void ContactCardDialog::linkActivated(const CardLink& link, bool byTalkKey) {
    if (m_router.activate(link, m_view->contactOid(), byTalkKey)) {
        done(kClosed);
    }
}

}  // namespace kontavo
