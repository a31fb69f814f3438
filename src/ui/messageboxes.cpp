#include "ui/messageboxes.h"

#include "ui/screenmessagebox.h"

namespace kontavo {

namespace {

class DialogMessageBoxes final : public MessageBoxes {
public:
    void show(QWidget* parent, const QString& text, const QString& caption, Icon icon) override {
        ScreenMessageBox box(parent, text, caption, icon, ScreenMessageBox::Buttons::Ok);
        box.exec();
    }
    bool askYesNo(QWidget* parent, const QString& text, const QString& caption,
                  Icon icon) override {
        ScreenMessageBox box(parent, text, caption, icon, ScreenMessageBox::Buttons::YesNo);
        return box.exec() == QDialog::Accepted;
    }
};

MessageBoxes* g_installed = nullptr;

}  // namespace

bool MessageBoxes::askYesNo(QWidget*, const QString&, const QString&, Icon) {
    return false;
}

MessageBoxes& MessageBoxes::onScreen() {
    static DialogMessageBoxes real;
    return real;
}

MessageBoxes& MessageBoxes::current() {
    return g_installed != nullptr ? *g_installed : onScreen();
}

void MessageBoxes::install(MessageBoxes* presenter) {
    g_installed = presenter;
}

}  // namespace kontavo
