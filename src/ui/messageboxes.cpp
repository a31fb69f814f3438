#include "ui/messageboxes.h"

#include <QMessageBox>

namespace kontavo {

namespace {

class DialogMessageBoxes final : public MessageBoxes {
public:
    void show(QWidget* parent, const QString& text, const QString& caption, Icon icon) override {
        QMessageBox box(parent);
        box.setText(text);
        box.setWindowTitle(caption);
        box.setIcon(qtIcon(icon));
        box.exec();
    }

private:
    static QMessageBox::Icon qtIcon(Icon icon) {
        switch (icon) {
            case Icon::Information:
                return QMessageBox::Information;
            case Icon::Warning:
                return QMessageBox::Warning;
            case Icon::Error:
                return QMessageBox::Critical;
            case Icon::None:
                break;
        }
        return QMessageBox::NoIcon;
    }
};

MessageBoxes* g_installed = nullptr;

}  // namespace

MessageBoxes& MessageBoxes::current() {
    static DialogMessageBoxes real;
    return g_installed != nullptr ? *g_installed : real;
}

void MessageBoxes::install(MessageBoxes* presenter) {
    g_installed = presenter;
}

}  // namespace kontavo
